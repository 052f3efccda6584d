#include "export/web_text.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Titles of letters, digits and underscores, Japanese included, pass every context unchanged.
TEST(WebText, PlainTitlesPassUnchanged) {
  for (const char* title : {"logo", "Logo_2024", "ロゴ", "静止", "タイトル_ｶﾅ_１２３", "漢字々〆", "ÉtéΩЖ"}) {
    SCOPED_TRACE(title);
    EXPECT_EQ(HtmlText(title), title);
    EXPECT_EQ(HtmlAttribute(title), title);
    EXPECT_EQ(UrlSegment(title), title);
    EXPECT_EQ(ScriptString(title, '\''), title);
    EXPECT_EQ(ScriptString(title, '"', true), title);
    EXPECT_EQ(ScriptIdentifier(std::string("Model_") + title), std::string("Model_") + title);
  }
}

TEST(WebText, EachContextEscapesWhatBreaksIt) {
  EXPECT_EQ(HtmlText("a<b>&c \"d'"), "a&lt;b&gt;&amp;c \"d'");
  EXPECT_EQ(HtmlAttribute("a<b>&c \"d'"), "a&lt;b&gt;&amp;c &quot;d&#39;");
  EXPECT_EQ(UrlSegment("50% #1?x\\y my logo"), "50%25 %231%3Fx%5Cy my logo");
  EXPECT_EQ(UrlSegment(std::string("a\tb\x7f")), "a%09b%7F");
  EXPECT_EQ(ScriptString("it's \"a\\b\"\n</script>", '\''), "it\\'s \"a\\\\b\"\\x0A</script>");
  EXPECT_EQ(ScriptString("it's \"a\\b\"\n</script>", '"', true), "it's \\\"a\\\\b\\\"\\x0A\\x3C/script>");
}

TEST(WebText, IdentifiersReplaceWhatIsNotAllowed) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Model_my logo", "Model_my_logo"},
      {"Model_my-logo", "Model_my_logo"},
      {"Model_my.logo", "Model_my_logo"},
      {"Model_a'b\"c\\d<e&f", "Model_a_b_c_d_e_f"},
      {"Model_ロゴ　「一」", "Model_ロゴ__一_"},  // ideographic space and brackets
      {"Model_😀", "Model__"},
      {"Model_\xff\x83", "Model___"},  // invalid UTF-8: one "_" per byte
      {"1abc", "_1abc"},
      {"１abc", "_１abc"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ScriptIdentifier(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace qv
