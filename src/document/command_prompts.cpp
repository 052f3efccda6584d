#include "document/command_prompts.h"

#include "document/command_ids.h"
#include "document/recent_files.h"

namespace qv {

namespace {

struct PromptEntry {
  int32_t command;
  std::string_view text;
};

using namespace cmd;

// Every command the menus, toolbars and context menus offer.
constexpr PromptEntry kPrompts[] = {
    // File
    {kNew, "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    {kOpen, "既存のﾌｧｲﾙ(.qvlogo)を開く、またはMetasequoiaﾌｧｲﾙ(.mqo)を読み込む\n開く"},
    {kSave, "開いているﾌｧｲﾙを上書きして保存\n上書き保存"},
    {kSaveAs, "ﾌｧｲﾙに名前を付けて保存、またはWebﾍﾟｰｼﾞ(WebGL, WebGPU)として書き出す\n名前を付けて保存"},
    {kAddModel, "ﾓﾃﾞﾙを追加する\nﾓﾃﾞﾙ追加"},
    {kRecentFileFirst, "このﾌｧｲﾙを開く\nﾌｧｲﾙを開く"},
    {kExit, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    // Edit
    {kUndo, "直前に行った動作を元に戻す\n元に戻す"},
    {kRedo, "直前に元に戻した動作を繰り返す\n繰り返す"},
    {kCopyAllFrames, "選択ﾓﾃﾞﾙの全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ\n全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ"},
    {kPasteAllFrames, "ｺﾋﾟｰした全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝを選択ﾓﾃﾞﾙに貼り付け\n全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付"},
    {kCopyCurrentPose, "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ\n現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ"},
    {kPasteCurrentPose, "ｺﾋﾟｰしたｱﾆﾒｰｼｮﾝを現在ﾌﾚｰﾑに貼り付け\n現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付"},
    // Create
    {kCreateText, "文字作成\n文字作成"},
    // Camera
    {kCameraLeft, "ｶﾒﾗを左から向ける\nｶﾒﾗを左から"},
    {kCameraTop, "ｶﾒﾗを上から向ける\nｶﾒﾗを上から"},
    {kCameraFront, "ｶﾒﾗを前から向ける\nｶﾒﾗを前から"},
    {kCameraRight, "ｶﾒﾗを右から向ける\nｶﾒﾗを右から"},
    {kCameraBottom, "ｶﾒﾗを下から向ける\nｶﾒﾗを下から"},
    {kCameraBack, "ｶﾒﾗを後ろから向ける\nｶﾒﾗを後ろから"},
    {kFollowModel, "ｶﾒﾗを選択ﾓﾃﾞﾙに向ける(もう一度で解除)\nｶﾒﾗをﾓﾃﾞﾙに向ける"},
    // Transform
    {kMoveMode, "選択ﾓﾃﾞﾙをﾏｳｽで移動する\n移動"},
    {kRotateMode, "選択ﾓﾃﾞﾙをﾏｳｽで回転する\n回転"},
    {kScaleMode, "選択ﾓﾃﾞﾙをﾏｳｽで拡大・縮小する\n拡大"},
    // Control
    {kPlay, "ｱﾆﾒｰｼｮﾝを再生\n再生"},
    {kStop, "ｱﾆﾒｰｼｮﾝを停止\n停止"},
    {kNextFrame, "1ﾌﾚｰﾑ進む\n1ﾌﾚｰﾑ進む"},
    {kPreviousFrame, "1ﾌﾚｰﾑ戻る\n1ﾌﾚｰﾑ戻る"},
    {kNextKey, "選択ﾓﾃﾞﾙの次のｷｰﾌﾚｰﾑへ移動\n次のｷｰﾌﾚｰﾑ"},
    {kPreviousKey, "選択ﾓﾃﾞﾙの前のｷｰﾌﾚｰﾑへ移動\n前のｷｰﾌﾚｰﾑ"},
    {kFirstFrame, "最初のﾌﾚｰﾑへ移動\n最初のﾌﾚｰﾑ"},
    {kLastFrame, "最後のﾌﾚｰﾑへ移動\n最後のﾌﾚｰﾑ"},
    {kKeyFrameDialog, "ﾌﾚｰﾑを指定してｷｰﾌﾚｰﾑを追加・削除\nｷｰﾌﾚｰﾑの追加・削除"},
    {kAddKeySelected, "選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加\n選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加"},
    {kAddKeyAll, "全ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加\n全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加"},
    {kDeleteKeySelected, "選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除\n選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除"},
    {kDeleteKeyAll, "全ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除\n全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除"},
    {kInsertFrames, "指定したﾌﾚｰﾑの後ろにﾌﾚｰﾑを挿入\nﾌﾚｰﾑを挿入"},
    {kDeleteFrames, "指定した範囲のﾌﾚｰﾑを削除\nﾌﾚｰﾑを削除"},
    // Settings
    {kBackgroundColor, "背景色を変更\n背景色"},
    {kSettings, "ｷｬﾝﾊﾞｽの大きさ、視野角、ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞの角度を設定\n設定"},
    {kHermite, "ｷｰﾌﾚｰﾑの間をｴﾙﾐｰﾄ曲線で補間する(外すと直線)\nエルミート曲線"},
    {kResetCamera, "ｶﾒﾗを最初の位置に戻す\nｶﾒﾗの初期化"},
    {kSmoothShading, "ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞとﾌﾗｯﾄ･ｼｪｰﾃﾞｨﾝｸﾞを切り替える\nｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ"},
    // View
    {kMainToolbar, "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {kControlToolbar, "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示/非表示\nｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {kStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
    // Help
    {kHelp, "ﾍﾙﾌﾟの目次を表示\n目次"},
    {kUnregister, ".qvlogo ﾌｧｲﾙの関連付けを削除\nレジスターの削除"},
    {kAbout, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝを表示\nﾊﾞｰｼﾞｮﾝ情報"},
    // Mouse modes (accelerators only)
    {kMouseCamera, "ﾏｳｽでの操作をｶﾒﾗにする\nﾏｳｽでｶﾒﾗ操作"},
    {kMouseModel, "ﾏｳｽでの操作をﾓﾃﾞﾙにする\nﾏｳｽでﾓﾃﾞﾙ操作"},
    {kMouseAnimation, "ﾏｳｽでの操作をｱﾆﾒｰｼｮﾝにする\nﾏｳｽでｱﾆﾒｰｼｮﾝ操作"},
    // The model tree's context menu
    {kDeleteModel, "選択ﾓﾃﾞﾙを削除する\nﾓﾃﾞﾙ削除"},
    {kRenameModel, "選択ﾓﾃﾞﾙの名前を変更する\n名前変更"},
    {kShowHideModel, "選択ﾓﾃﾞﾙの表示・非表示を切り替える\n表示・非表示"},
    // The material list's context menu
    {kMaterialColor, "選択した材質の色を変更する\n色"},
    {kRenameMaterial, "選択した材質の名前を変更する\n名前変更"},
    {kDeleteMaterial, "選択した材質を削除する\n削除"},
};

}  // namespace

std::string_view CommandPromptEntry(int32_t command) {
  // Every recent-file entry shares the first one's prompt.
  if (command > kRecentFileFirst && command < kRecentFileFirst + static_cast<int32_t>(RecentFileList::kSize)) command = kRecentFileFirst;
  for (const PromptEntry& entry : kPrompts)
    if (entry.command == command) return entry.text;
  return {};
}

std::string_view StatusPrompt(int32_t command) {
  const std::string_view entry = CommandPromptEntry(command);
  return entry.substr(0, entry.find('\n'));
}

std::string_view CommandName(int32_t command) {
  const std::string_view entry = CommandPromptEntry(command);
  const size_t newline = entry.find('\n');
  return newline == std::string_view::npos ? entry : entry.substr(newline + 1);
}

}  // namespace qv
