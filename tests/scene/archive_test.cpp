#include "scene/archive.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace qv {
namespace {

std::string StoreString(const std::string& s) {
  StringSink sink;
  CArchive ar(sink);
  ar.WriteString(s);
  ar.Close();
  return sink.bytes;
}

std::string LoadString(const std::string& bytes) {
  MemorySource source(bytes);
  CArchive ar(source);
  return ar.ReadString();
}

struct PrefixCase {
  size_t length;
  std::string prefix;
};

TEST(ArchiveString, LengthPrefixesAtEachBoundary) {
  const PrefixCase cases[] = {
      {0, std::string("\x00", 1)},
      {3, "\x03"},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {65533, "\xFF\xFD\xFF"},
      {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
  };
  for (const auto& c : cases) {
    const std::string value(c.length, 'x');
    const std::string bytes = StoreString(value);
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(LoadString(bytes), value) << c.length;
  }
  EXPECT_EQ(StoreString("abc"), "\x03" "abc");
}

TEST(ArchiveString, SixteenBitFormIsConvertedToCodePage932) {
  // FF, FE FF marker, length 3, then UTF-16LE "aアb"
  const std::string bytes("\xFF\xFE\xFF\x03" "a\x00\xA2\x30" "b\x00", 10);
  EXPECT_EQ(LoadString(bytes), "a\x83\x41" "b");
  // the long form of the length after the marker
  std::string longForm("\xFF\xFE\xFF\xFF\x00\x01", 6);  // length 256
  for (int i = 0; i < 256; ++i) longForm += std::string("z\x00", 2);
  EXPECT_EQ(LoadString(longForm), std::string(256, 'z'));
}

TEST(ArchiveString, AbsurdLengthsFailBeforeAllocating) {
  // 64-bit length above 0x7FFFFFFF: generic failure
  std::string huge("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x00\x00\x00\x80\x00\x00\x00\x00", 15);
  try {
    LoadString(huge);
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.cause(), ArchiveCause::kGeneric);
  }
  // a 32-bit length far beyond the data: end of file
  std::string longer("\xFF\xFF\xFF\x00\x00\x00\x70", 7);
  try {
    LoadString(longer);
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.cause(), ArchiveCause::kEndOfFile);
  }
}

TEST(ArchivePrimitives, BitPatternsAndBoolsRoundTrip) {
  const uint32_t patterns[] = {0x7FC12345u, 0xFFC00001u, 0x80000000u, 0x7F800000u, 0x00000001u};
  StringSink sink;
  {
    CArchive ar(sink);
    for (uint32_t p : patterns) ar.WriteFloat(std::bit_cast<float>(p));
    ar.WriteInt32(-2);
    ar.WriteBool(true);
    ar.WriteBool(false);
    ar.Close();
  }
  std::string bytes = sink.bytes;
  ASSERT_EQ(bytes.size(), 5 * 4 + 4 + 2);
  bytes[bytes.size() - 2] = 0x02;  // any non-zero byte reads as true
  MemorySource source(bytes);
  CArchive ar(source);
  for (uint32_t p : patterns) EXPECT_EQ(std::bit_cast<uint32_t>(ar.ReadFloat()), p);
  EXPECT_EQ(ar.ReadInt32(), -2);
  EXPECT_TRUE(ar.ReadBool());
  EXPECT_FALSE(ar.ReadBool());
}

TEST(ArchivePrimitives, DirectionAndEndOfFileErrors) {
  StringSink sink;
  CArchive storing(sink);
  EXPECT_THROW(storing.ReadInt32(), ArchiveException);
  MemorySource source(std::string_view("\x01\x02\x03", 3));
  CArchive loading(source);
  try {
    loading.WriteInt32(1);
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.cause(), ArchiveCause::kReadOnly);
  }
  try {
    loading.ReadInt32();
    FAIL();
  } catch (const ArchiveException& e) {
    EXPECT_EQ(e.cause(), ArchiveCause::kEndOfFile);
  }
}

TEST(ArchivePrimitives, ValuesCrossingTheBufferEdge) {
  // More than one buffer of data, read back value by value and in one large block.
  StringSink sink;
  {
    CArchive ar(sink);
    for (int i = 0; i < 100000; ++i) ar.WriteInt32(i);
    std::vector<int32_t> block(50000, 7);
    ar.WriteBytes(block.data(), block.size() * 4);
    ar.WriteString("end");
    ar.Close();
  }
  MemorySource source(sink.bytes);
  CArchive ar(source);
  for (int i = 0; i < 100000; ++i) ASSERT_EQ(ar.ReadInt32(), i);
  std::vector<int32_t> block(50000);
  ar.ReadBytes(block.data(), block.size() * 4);
  EXPECT_EQ(block.back(), 7);
  EXPECT_EQ(ar.ReadString(), "end");
  EXPECT_EQ(ar.BytesLeft(), 0u);
}

}  // namespace
}  // namespace qv
