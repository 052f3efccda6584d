#include "document/command_layout.h"

#include "scene/interface_text.h"

namespace qv {

namespace {
using enum CommandId;
}  // namespace

const std::vector<Menu>& MenuBar() {
  static const std::vector<Menu> kMenus{
      {QV_TRANSLATE_NOOP("Menus", "ﾌｧｲﾙ(&F)"),
       {{kNew, QV_TRANSLATE_NOOP("Menus", "新規作成(&N)\tCtrl+N")},
        {kOpen, QV_TRANSLATE_NOOP("Menus", "開く(&O)...\tCtrl+O")},
        {kSave, QV_TRANSLATE_NOOP("Menus", "上書き保存(&S)\tCtrl+S")},
        {kSaveAs, QV_TRANSLATE_NOOP("Menus", "名前を付けて保存(&A)...\tCtrl+A")},
        {kNone, nullptr},
        // The model tree's add command, here too: a Metasequoia file is imported into the scene.
        {kAddModel, QV_TRANSLATE_NOOP("Menus", "ﾓﾃﾞﾙ追加(&M)...\tAlt+X")},
        {kNone, nullptr},
        {kRecentFileFirst, QV_TRANSLATE_NOOP("Menus", "最近使ったﾌｧｲﾙ")},
        {kNone, nullptr},
        {kExit, QV_TRANSLATE_NOOP("Menus", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}}},
      {QV_TRANSLATE_NOOP("Menus", "編集(&E)"),
       {{kUndo, QV_TRANSLATE_NOOP("Menus", "元に戻す(&U)\tCtrl+Z")},
        {kRedo, QV_TRANSLATE_NOOP("Menus", "繰り返す(&R)\tCtrl+Y")},
        {kNone, nullptr},
        {kCopyAllFrames, QV_TRANSLATE_NOOP("Menus", "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ(&C)")},
        {kPasteAllFrames, QV_TRANSLATE_NOOP("Menus", "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付(&P)")},
        {kNone, nullptr},
        {kCopyCurrentPose, QV_TRANSLATE_NOOP("Menus", "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ(&A)")},
        {kPasteCurrentPose, QV_TRANSLATE_NOOP("Menus", "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付(&F)")}}},
      {QV_TRANSLATE_NOOP("Menus", "作成(&C)"), {{kCreateText, QV_TRANSLATE_NOOP("Menus", "文字作成(&S)")}}},
      {QV_TRANSLATE_NOOP("Menus", "操作(&O)"),
       {{kCameraLeft, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを左から(&L)\tF1")},
        {kCameraTop, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを上から(&T)\tF2")},
        {kCameraFront, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを前から(&F)\tF3")},
        {kCameraRight, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを右から(&R)\tShift+F1")},
        {kCameraBottom, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを下から(&B)\tShift+F2")},
        {kCameraBack, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗを後ろから(&K)\tShift+f3")},
        {kNone, nullptr},
        {kFollowModel, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗをﾓﾃﾞﾙに向ける(&D)\tF4")}}},
      {QV_TRANSLATE_NOOP("Menus", "変形(&T)"),
       {{kMoveMode, QV_TRANSLATE_NOOP("Menus", "移動(&M)\tCtrl+V")}, {kRotateMode, QV_TRANSLATE_NOOP("Menus", "回転(&R)\tCtrl+R")}, {kScaleMode, QV_TRANSLATE_NOOP("Menus", "拡大(&E)\tCtrl+L")}}},
      {QV_TRANSLATE_NOOP("Menus", "制御(&C)"),
       {{kPlay, QV_TRANSLATE_NOOP("Menus", "再生(&P)\tCtrl+B")},
        {kStop, QV_TRANSLATE_NOOP("Menus", "停止(&S)\tCtrl+D")},
        {kNextFrame, QV_TRANSLATE_NOOP("Menus", "1ﾌﾚｰﾑ進む(&N)\tCtrl+E")},
        {kPreviousFrame, QV_TRANSLATE_NOOP("Menus", "1ﾌﾚｰﾑ戻る(&P)\tCtrl+F")},
        {kNextKey, QV_TRANSLATE_NOOP("Menus", "次のｷｰﾌﾚｰﾑ(&C)\tCtrl+G")},
        {kPreviousKey, QV_TRANSLATE_NOOP("Menus", "前のｷｰﾌﾚｰﾑ(&B)\tCtrl+H")},
        {kFirstFrame, QV_TRANSLATE_NOOP("Menus", "最初のﾌﾚｰﾑ(&F)\tCtrl+I")},
        {kLastFrame, QV_TRANSLATE_NOOP("Menus", "最後のﾌﾚｰﾑ(&L)\tCtrl+J")},
        {kNone, nullptr},
        {kKeyFrameDialog, QV_TRANSLATE_NOOP("Menus", "ｷｰﾌﾚｰﾑの追加・削除(&K)\tCtrl+K")},
        {kAddKeySelected, QV_TRANSLATE_NOOP("Menus", "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&A)\tCtrl+P")},
        {kAddKeyAll, QV_TRANSLATE_NOOP("Menus", "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&Y)\tCtrl+Q")},
        {kDeleteKeySelected, QV_TRANSLATE_NOOP("Menus", "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&D)\tCtrl+T")},
        {kDeleteKeyAll, QV_TRANSLATE_NOOP("Menus", "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&E)\tCtrl+U")},
        {kNone, nullptr},
        {kInsertFrames, QV_TRANSLATE_NOOP("Menus", "ﾌﾚｰﾑを挿入(&G)\tAlt+R")},
        {kDeleteFrames, QV_TRANSLATE_NOOP("Menus", "ﾌﾚｰﾑを削除(&H)\tAlt+U")}}},
      {QV_TRANSLATE_NOOP("Menus", "設定(&S)"),
       {{kBackgroundColor, QV_TRANSLATE_NOOP("Menus", "背景色(&C)\tAlt+N")},
        {kSettings, QV_TRANSLATE_NOOP("Menus", "設定(&S)")},
        {kHermite, QV_TRANSLATE_NOOP("Menus", "エルミート曲線(&E)")},
        {kResetCamera, QV_TRANSLATE_NOOP("Menus", "ｶﾒﾗの初期化(&I)\tAlt+W")},
        {kSmoothShading, QV_TRANSLATE_NOOP("Menus", "ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ(&S)\tAlt+P")}}},
      {QV_TRANSLATE_NOOP("Menus", "表示(&V)"),
       {{kMainToolbar, QV_TRANSLATE_NOOP("Menus", "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰ(&M)\tAlt+A")},
        {kControlToolbar, QV_TRANSLATE_NOOP("Menus", "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰ(&C)\tAlt+B")},
        {kStatusBar, QV_TRANSLATE_NOOP("Menus", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)\tAlt+J")}}},
      {QV_TRANSLATE_NOOP("Menus", "ﾍﾙﾌﾟ(&H)"),
       {{kHelp, QV_TRANSLATE_NOOP("Menus", "目次(&H)\tAlt+I")},
        {kNone, nullptr},
        {kUnregister, QV_TRANSLATE_NOOP("Menus", "レジスターの削除(&U)")},
        {kNone, nullptr},
        {kAbout, QV_TRANSLATE_NOOP("Menus", "Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報(&A)...\tAlt+Q")}}},
  };
  return kMenus;
}

const std::vector<ToolbarButton>& MainToolbar() {
  static const std::vector<ToolbarButton> kButtons{
      {kNew, QV_TRANSLATE_NOOP("Toolbars", "新規"), "new"},
      {kOpen, QV_TRANSLATE_NOOP("Toolbars", "開く"), "open"},
      {kSaveAs, QV_TRANSLATE_NOOP("Toolbars", "保存"), "save"},
      {kNone, nullptr, nullptr},
      {kUndo, QV_TRANSLATE_NOOP("Toolbars", "Undo"), "undo"},
      {kRedo, QV_TRANSLATE_NOOP("Toolbars", "Redo"), "redo"},
      {kNone, nullptr, nullptr},
      {kCreateText, QV_TRANSLATE_NOOP("Toolbars", "ﾌｫﾝﾄ"), "text"},
      {kNone, nullptr, nullptr},
      {kFollowModel, QV_TRANSLATE_NOOP("Toolbars", "中心"), "follow"},
      {kNone, nullptr, nullptr},
      {kMoveMode, QV_TRANSLATE_NOOP("Toolbars", "移動"), "move"},
      {kRotateMode, QV_TRANSLATE_NOOP("Toolbars", "回転"), "rotate"},
      {kScaleMode, QV_TRANSLATE_NOOP("Toolbars", "拡大"), "scale"},
      {kNone, nullptr, nullptr},
      {kSmoothShading, QV_TRANSLATE_NOOP("Toolbars", "陰影"), "shading"},
  };
  return kButtons;
}

const std::vector<ToolbarButton>& ControlToolbar() {
  static const std::vector<ToolbarButton> kButtons{
      {kFirstFrame, QV_TRANSLATE_NOOP("Toolbars", "最初"), "first"},
      {kPreviousKey, QV_TRANSLATE_NOOP("Toolbars", "前ｷｰ"), "previous-key"},
      {kPreviousFrame, QV_TRANSLATE_NOOP("Toolbars", "前"), "previous"},
      {kStop, QV_TRANSLATE_NOOP("Toolbars", "停止"), "stop"},
      {kPlay, QV_TRANSLATE_NOOP("Toolbars", "再生"), "play"},
      {kNextFrame, QV_TRANSLATE_NOOP("Toolbars", "次"), "next"},
      {kNextKey, QV_TRANSLATE_NOOP("Toolbars", "次ｷｰ"), "next-key"},
      {kLastFrame, QV_TRANSLATE_NOOP("Toolbars", "最後"), "last"},
      {kNone, nullptr, nullptr},
      {kKeyFrameDialog, QV_TRANSLATE_NOOP("Toolbars", "ｷｰ"), "key"},
      {kAddKeySelected, QV_TRANSLATE_NOOP("Toolbars", "追加"), "add-key"},
      {kAddKeyAll, QV_TRANSLATE_NOOP("Toolbars", "全追"), "add-key-all"},
      {kDeleteKeySelected, QV_TRANSLATE_NOOP("Toolbars", "削除"), "delete-key"},
      {kDeleteKeyAll, QV_TRANSLATE_NOOP("Toolbars", "全削"), "delete-key-all"},
      {kNone, nullptr, nullptr},
      {kInsertFrames, QV_TRANSLATE_NOOP("Toolbars", "挿入"), "insert-frames"},
      {kDeleteFrames, QV_TRANSLATE_NOOP("Toolbars", "削除"), "delete-frames"},
  };
  return kButtons;
}

const std::vector<Accelerator>& Accelerators() {
  static const std::vector<Accelerator> kKeys{
      {"Ctrl+A", kSaveAs},            {"Alt+A", kMainToolbar},        {"Ctrl+B", kPlay},
      {"Alt+B", kControlToolbar},     {"Ctrl+C", kMouseCamera},       {"Ctrl+D", kStop},
      {"Alt+D", kUnusedAltD},         {"Ctrl+E", kNextFrame},         {"Ctrl+F", kPreviousFrame},
      {"Ctrl+G", kNextKey},           {"Alt+G", kUnusedAltG},         {"Ctrl+H", kPreviousKey},
      {"Ctrl+I", kFirstFrame},        {"Alt+I", kHelp},               {"Ctrl+J", kLastFrame},
      {"Alt+J", kStatusBar},          {"Ctrl+K", kKeyFrameDialog},    {"Alt+K", kUnusedAltK},
      {"Ctrl+L", kScaleMode},         {"Alt+L", kUnusedAltL},         {"Ctrl+M", kMouseAnimation},
      {"Alt+M", kShowHideModel},      {"Ctrl+N", kNew},               {"Alt+N", kBackgroundColor},
      {"Ctrl+O", kOpen},              {"Ctrl+P", kAddKeySelected},    {"Alt+P", kSmoothShading},
      {"Ctrl+Q", kAddKeyAll},         {"Alt+Q", kAbout},              {"Ctrl+R", kRotateMode},
      {"Alt+R", kInsertFrames},       {"Ctrl+S", kSave},              {"Ctrl+T", kDeleteKeySelected},
      {"Ctrl+U", kDeleteKeyAll},      {"Alt+U", kDeleteFrames},       {"Ctrl+V", kMoveMode},
      {"Alt+Delete", kDeleteModel},   {"Shift+Delete", kEditCut},     {"F1", kCameraLeft},
      {"Shift+F1", kCameraRight},     {"F2", kCameraTop},             {"Shift+F2", kCameraBottom},
      {"F3", kCameraFront},           {"Shift+F3", kCameraBack},      {"F6", kNextPane},
      {"Shift+F6", kPreviousPane},    {"Ctrl+Insert", kEditCopy},     {"Shift+Insert", kEditPaste},
      {"Alt+W", kResetCamera},        {"Ctrl+X", kEditCut},           {"Alt+X", kAddModel},
      {"Ctrl+Y", kRedo},              {"Ctrl+Z", kUndo},              {"Alt+Z", kRenameModel},
      {"F4", kFollowModel},
  };
  return kKeys;
}

}  // namespace qv
