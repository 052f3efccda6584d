#include "document/command_layout.h"

namespace qv {

namespace {
using enum CommandId;
}  // namespace

const std::vector<Menu>& MenuBar() {
  static const std::vector<Menu> kMenus{
      {"ﾌｧｲﾙ(&F)",
       {{kNew, "新規作成(&N)\tCtrl+N"},
        {kOpen, "開く(&O)...\tCtrl+O"},
        {kSave, "上書き保存(&S)\tCtrl+S"},
        {kSaveAs, "名前を付けて保存(&A)...\tCtrl+A"},
        {kNone, nullptr},
        // The model tree's add command, here too: a Metasequoia file is imported into the scene.
        {kAddModel, "ﾓﾃﾞﾙ追加(&M)...\tAlt+X"},
        {kNone, nullptr},
        {kRecentFileFirst, "最近使ったﾌｧｲﾙ"},
        {kNone, nullptr},
        {kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
      {"編集(&E)",
       {{kUndo, "元に戻す(&U)\tCtrl+Z"},
        {kRedo, "繰り返す(&R)\tCtrl+Y"},
        {kNone, nullptr},
        {kCopyAllFrames, "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ(&C)"},
        {kPasteAllFrames, "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付(&P)"},
        {kNone, nullptr},
        {kCopyCurrentPose, "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ(&A)"},
        {kPasteCurrentPose, "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付(&F)"}}},
      {"作成(&C)", {{kCreateText, "文字作成(&S)"}}},
      {"操作(&O)",
       {{kCameraLeft, "ｶﾒﾗを左から(&L)\tF1"},
        {kCameraTop, "ｶﾒﾗを上から(&T)\tF2"},
        {kCameraFront, "ｶﾒﾗを前から(&F)\tF3"},
        {kCameraRight, "ｶﾒﾗを右から(&R)\tShift+F1"},
        {kCameraBottom, "ｶﾒﾗを下から(&B)\tShift+F2"},
        {kCameraBack, "ｶﾒﾗを後ろから(&K)\tShift+f3"},
        {kNone, nullptr},
        {kFollowModel, "ｶﾒﾗをﾓﾃﾞﾙに向ける(&D)\tF4"}}},
      {"変形(&T)",
       {{kMoveMode, "移動(&M)\tCtrl+V"}, {kRotateMode, "回転(&R)\tCtrl+R"}, {kScaleMode, "拡大(&E)\tCtrl+L"}}},
      {"制御(&C)",
       {{kPlay, "再生(&P)\tCtrl+B"},
        {kStop, "停止(&S)\tCtrl+D"},
        {kNextFrame, "1ﾌﾚｰﾑ進む(&N)\tCtrl+E"},
        {kPreviousFrame, "1ﾌﾚｰﾑ戻る(&P)\tCtrl+F"},
        {kNextKey, "次のｷｰﾌﾚｰﾑ(&C)\tCtrl+G"},
        {kPreviousKey, "前のｷｰﾌﾚｰﾑ(&B)\tCtrl+H"},
        {kFirstFrame, "最初のﾌﾚｰﾑ(&F)\tCtrl+I"},
        {kLastFrame, "最後のﾌﾚｰﾑ(&L)\tCtrl+J"},
        {kNone, nullptr},
        {kKeyFrameDialog, "ｷｰﾌﾚｰﾑの追加・削除(&K)\tCtrl+K"},
        {kAddKeySelected, "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&A)\tCtrl+P"},
        {kAddKeyAll, "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&Y)\tCtrl+Q"},
        {kDeleteKeySelected, "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&D)\tCtrl+T"},
        {kDeleteKeyAll, "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&E)\tCtrl+U"},
        {kNone, nullptr},
        {kInsertFrames, "ﾌﾚｰﾑを挿入(&G)\tAlt+R"},
        {kDeleteFrames, "ﾌﾚｰﾑを削除(&H)\tAlt+U"}}},
      {"設定(&S)",
       {{kBackgroundColor, "背景色(&C)\tAlt+N"},
        {kSettings, "設定(&S)"},
        {kHermite, "エルミート曲線(&E)"},
        {kResetCamera, "ｶﾒﾗの初期化(&I)\tAlt+W"},
        {kSmoothShading, "ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ(&S)\tAlt+P"}}},
      {"表示(&V)",
       {{kMainToolbar, "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰ(&M)\tAlt+A"},
        {kControlToolbar, "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰ(&C)\tAlt+B"},
        {kStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)\tAlt+J"}}},
      {"ﾍﾙﾌﾟ(&H)",
       {{kHelp, "目次(&H)\tAlt+I"},
        {kNone, nullptr},
        {kUnregister, "レジスターの削除(&U)"},
        {kNone, nullptr},
        {kAbout, "Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報(&A)...\tAlt+Q"}}},
  };
  return kMenus;
}

const std::vector<ToolbarButton>& MainToolbar() {
  static const std::vector<ToolbarButton> kButtons{
      {kNew, "新規", "new"},          {kOpen, "開く", "open"},         {kSaveAs, "保存", "save"},
      {kNone, nullptr, nullptr},          {kUndo, "Undo", "undo"},         {kRedo, "Redo", "redo"},
      {kNone, nullptr, nullptr},          {kCreateText, "ﾌｫﾝﾄ", "text"},   {kNone, nullptr, nullptr},
      {kFollowModel, "中心", "follow"}, {kNone, nullptr, nullptr},          {kMoveMode, "移動", "move"},
      {kRotateMode, "回転", "rotate"}, {kScaleMode, "拡大", "scale"},   {kNone, nullptr, nullptr},
      {kSmoothShading, "陰影", "shading"},
  };
  return kButtons;
}

const std::vector<ToolbarButton>& ControlToolbar() {
  static const std::vector<ToolbarButton> kButtons{
      {kFirstFrame, "最初", "first"},
      {kPreviousKey, "前ｷｰ", "previous-key"},
      {kPreviousFrame, "前", "previous"},
      {kStop, "停止", "stop"},
      {kPlay, "再生", "play"},
      {kNextFrame, "次", "next"},
      {kNextKey, "次ｷｰ", "next-key"},
      {kLastFrame, "最後", "last"},
      {kNone, nullptr, nullptr},
      {kKeyFrameDialog, "ｷｰ", "key"},
      {kAddKeySelected, "追加", "add-key"},
      {kAddKeyAll, "全追", "add-key-all"},
      {kDeleteKeySelected, "削除", "delete-key"},
      {kDeleteKeyAll, "全削", "delete-key-all"},
      {kNone, nullptr, nullptr},
      {kInsertFrames, "挿入", "insert-frames"},
      {kDeleteFrames, "削除", "delete-frames"},
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
