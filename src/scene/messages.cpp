#include "scene/messages.h"

#include <array>
#include <utility>

#include "scene/interface_text.h"

namespace qv {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 18> kTable{{
    {61696, QV_TRANSLATE_NOOP("Messages", "ファイル名が正しくありません。")},
    {61697, QV_TRANSLATE_NOOP("Messages", "ドキュメントを開くことに失敗しました。")},
    {61698, QV_TRANSLATE_NOOP("Messages", "ドキュメントの保存に失敗しました。")},
    {61728, QV_TRANSLATE_NOOP("Messages", "予期しないファイル形式です。")},
    {61857, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセス中に不明なエラーが発生しました。")},
    {61858, QV_TRANSLATE_NOOP("Messages", "%1 が見つかりませんでした。")},
    {61859, QV_TRANSLATE_NOOP("Messages", "%1 に正しくないパスが含まれています。")},
    {61860, QV_TRANSLATE_NOOP("Messages", "開いているファイルが多すぎるため、%1 を開けませんでした。")},
    {61861, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセスは拒否されました。")},
    {61862, QV_TRANSLATE_NOOP("Messages", "正しくないファイル ハンドルが %1 に関連付けられていました。")},
    {61863, QV_TRANSLATE_NOOP("Messages", "現在のディレクトリ %1 は削除できませんでした。")},
    {61864, QV_TRANSLATE_NOOP("Messages", "%1 を作成できませんでした。そのディレクトリはいっぱいです。")},
    {61865, QV_TRANSLATE_NOOP("Messages", "%1 のシークに失敗しました。")},
    {61866, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセス中にハードウェア I/O エラーが報告されました。")},
    {61867, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセス中に共有違反が発生しました。")},
    {61868, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセス中にロック違反が発生しました。")},
    {61869, QV_TRANSLATE_NOOP("Messages", "%1 へのアクセス中にディスクがいっぱいになりました。")},
    {61870, QV_TRANSLATE_NOOP("Messages", "%1 の末尾以降にアクセスしようとしました。")},
}};

int FileCauseMessageId(FileCause cause) {
  switch (cause) {
    case FileCause::kUnspecified: return 61857;
    case FileCause::kFileNotFound: return 61858;
    case FileCause::kBadPath: return 61859;
    case FileCause::kTooManyOpenFiles: return 61860;
    case FileCause::kAccessDenied: return 61861;
    case FileCause::kInvalidFile: return 61862;
    case FileCause::kRemoveCurrentDirectory: return 61863;
    case FileCause::kDirectoryFull: return 61864;
    case FileCause::kBadSeek: return 61865;
    case FileCause::kHardIO: return 61866;
    case FileCause::kSharingViolation: return 61867;
    case FileCause::kLockViolation: return 61868;
    case FileCause::kDiskFull: return 61869;
    case FileCause::kEndOfFile: return 61870;
  }
  return 0;
}

}  // namespace

std::string_view MessageText(int id) {
  for (const auto& [number, text] : kTable)
    if (number == id) return text;
  return {};
}

Message MakeMessage(int id) { return {id, std::string(MessageText(id))}; }

Message FileErrorMessage(const FileException& error, int defaultId) {
  const int id = FileCauseMessageId(error.cause());
  std::string text(MessageText(id));
  if (text.empty()) return MakeMessage(defaultId);
  return {id, FillMessage(text, {error.path()})};
}

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  std::string text;
  text.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const size_t number = pattern[i] == '%' && next >= '1' && next <= '9' ? size_t(next - '1') : arguments.size();
    if (number < arguments.size()) {
      text += *(arguments.begin() + number);
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

Message ArchiveErrorMessage(ArchiveCause cause, bool loading) {
  switch (cause) {
    case ArchiveCause::kEndOfFile:
    case ArchiveCause::kBadIndex:
    case ArchiveCause::kBadClass:
    case ArchiveCause::kBadSchema:
      if (loading) return MakeMessage(msg::kUnexpectedFormat);
      break;
    default:
      break;
  }
  return MakeMessage(loading ? msg::kFailedToOpen : msg::kFailedToSave);
}

}  // namespace qv
