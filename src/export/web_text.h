#pragma once
// Putting a page title or a file name (UTF-8) into the generated page and scripts so that any
// name gives a working page. Names made of letters, digits and underscores (Japanese included)
// come out unchanged from every function here.
#include <string>
#include <string_view>

namespace qv {

// Text content of an HTML element: "&", "<" and ">" as character references.
std::string HtmlText(std::string_view text);
// A double-quoted HTML attribute value: "&", "\"", "'", "<" and ">" as character references.
std::string HtmlAttribute(std::string_view text);
// One path segment of a relative URL: "%", "#", "?", "\" and control characters
// percent-encoded, so the browser asks for the file of exactly that name. Spaces and non-ASCII
// characters stay as they are (the browser encodes them itself).
std::string UrlSegment(std::string_view text);
// The inside of a JavaScript string literal quoted with `quote` (' or "): backslash, the quote
// and control characters escaped. With `insideScriptElement`, "<" too, so that the text cannot
// end an inline <script> element.
std::string ScriptString(std::string_view text, char quote, bool insideScriptElement = false);
// A JavaScript identifier made from `text`: ASCII letters, digits, "_" and "$" and the letters
// of the common scripts (Japanese kana and kanji, full-width forms, Latin, Greek, Cyrillic)
// stay; every other character (space, hyphen, period, symbols, invalid UTF-8) becomes "_", and
// a leading digit (or combining mark) gets "_" in front.
std::string ScriptIdentifier(std::string_view text);

}  // namespace qv
