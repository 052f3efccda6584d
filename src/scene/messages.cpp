#include "scene/messages.h"

#include <array>
#include <utility>

namespace qv {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 18> kTable{{
    {61696, "ファイル名が正しくありません。"},
    {61697, "ドキュメントを開くことに失敗しました。"},
    {61698, "ドキュメントの保存に失敗しました。"},
    {61728, "予期しないファイル形式です。"},
    {61857, "%1 へのアクセス中に不明なエラーが発生しました。"},
    {61858, "%1 が見つかりませんでした。"},
    {61859, "%1 に正しくないパスが含まれています。"},
    {61860, "開いているファイルが多すぎるため、%1 を開けませんでした。"},
    {61861, "%1 へのアクセスは拒否されました。"},
    {61862, "正しくないファイル ハンドルが %1 に関連付けられていました。"},
    {61863, "現在のディレクトリ %1 は削除できませんでした。"},
    {61864, "%1 を作成できませんでした。そのディレクトリはいっぱいです。"},
    {61865, "%1 のシークに失敗しました。"},
    {61866, "%1 へのアクセス中にハードウェア I/O エラーが報告されました。"},
    {61867, "%1 へのアクセス中に共有違反が発生しました。"},
    {61868, "%1 へのアクセス中にロック違反が発生しました。"},
    {61869, "%1 へのアクセス中にディスクがいっぱいになりました。"},
    {61870, "%1 の末尾以降にアクセスしようとしました。"},
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
  if (auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, error.path());
  return {id, text};
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
