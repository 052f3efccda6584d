#pragma once
// The command line's language. qvlogo prints English, one line on stderr per problem, naming the
// file it is about. The document's own texts are those of the desktop program's (Japanese)
// message boxes; they are translated here, at the edge, and never changed in the document.
#include <string>
#include <string_view>

namespace qv::cli {

// The English line for a message of the document. `subject` (a file path) is put in front of
// texts that do not name a file themselves; texts this table does not know pass unchanged.
std::string EnglishMessage(std::string_view text, const std::string& subject);

// Whether the text is one of the texture loader's messages (file not found, image too large).
bool IsTextureMessage(std::string_view text);

}  // namespace qv::cli
