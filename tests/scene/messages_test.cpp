// Message texts with their placeholders filled.
#include <gtest/gtest.h>

#include "scene/messages.h"

namespace qv {
namespace {

struct FillCase {
  const char* pattern;
  std::initializer_list<std::string_view> arguments;
  const char* expected;
};

TEST(Messages, PlaceholdersAreFilledInOnePass) {
  const FillCase cases[] = {
      {"%1 が見つかりませんでした。", {"/tmp/a b.qvlogo"}, "/tmp/a b.qvlogo が見つかりませんでした。"},
      {"「%1」にない文字を「%2」で作りました: %3", {"A", "B", "xy"}, "「A」にない文字を「B」で作りました: xy"},
      {"%2 then %1", {"one", "two"}, "two then one"},
      {"%1", {"100%2 %1"}, "100%2 %1"},  // an argument is never filled again
      {"%1 and %3", {"a"}, "a and %3"},   // no argument: the placeholder stays
      {"50% of %1%", {"x"}, "50% of x%"},
      {"%0 %", {"x"}, "%0 %"},
      {"", {"x"}, ""},
  };
  for (const FillCase& c : cases) EXPECT_EQ(FillMessage(c.pattern, c.arguments), c.expected) << c.pattern;
}

TEST(Messages, FileErrorsNameTheFile) {
  const Message message = FileErrorMessage(FileException(FileCause::kFileNotFound, "/x/%2.qvlogo"), msg::kFailedToOpen);
  EXPECT_EQ(message.id, 61858);
  EXPECT_EQ(message.text, "/x/%2.qvlogo が見つかりませんでした。");
}

}  // namespace
}  // namespace qv
