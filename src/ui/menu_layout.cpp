#include "ui/menu_layout.h"

#include <QAction>
#include <QCoreApplication>
#include <string>

#include "document/command_ids.h"
#include "document/command_prompts.h"

namespace qv::ui {

using namespace qv::cmd;

const std::vector<Menu>& MenuBar() {
  static const std::vector<Menu> kMenus{
      {"ﾌｧｲﾙ(&F)",
       {{kNew, "新規作成(&N)\tCtrl+N"},
        {kOpen, "開く(&O)...\tCtrl+O"},
        {kSave, "上書き保存(&S)\tCtrl+S"},
        {kSaveAs, "名前を付けて保存(&A)...\tCtrl+A"},
        {0, nullptr},
        // The model tree's add command, here too: a Metasequoia file is imported into the scene.
        {kAddModel, "ﾓﾃﾞﾙ追加(&M)...\tAlt+X"},
        {0, nullptr},
        {appcmd::kRecentFileFirst, "最近使ったﾌｧｲﾙ"},
        {0, nullptr},
        {appcmd::kExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
      {"編集(&E)",
       {{kUndo, "元に戻す(&U)\tCtrl+Z"},
        {kRedo, "繰り返す(&R)\tCtrl+Y"},
        {0, nullptr},
        {kCopyAllFrames, "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ(&C)"},
        {kPasteAllFrames, "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付(&P)"},
        {0, nullptr},
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
        {0, nullptr},
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
        {0, nullptr},
        {kKeyFrameDialog, "ｷｰﾌﾚｰﾑの追加・削除(&K)\tCtrl+K"},
        {kAddKeySelected, "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&A)\tCtrl+P"},
        {kAddKeyAll, "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加(&Y)\tCtrl+Q"},
        {kDeleteKeySelected, "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&D)\tCtrl+T"},
        {kDeleteKeyAll, "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除(&E)\tCtrl+U"},
        {0, nullptr},
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
       {{appcmd::kHelp, "目次(&H)\tAlt+I"},
        {0, nullptr},
        {appcmd::kUnregister, "レジスターの削除(&U)"},
        {0, nullptr},
        {appcmd::kAbout, "Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報(&A)...\tAlt+Q"}}},
  };
  return kMenus;
}

const std::vector<ToolbarButton>& MainToolbar() {
  static const std::vector<ToolbarButton> kButtons{
      {kNew, "新規", "new"},          {kOpen, "開く", "open"},         {kSaveAs, "保存", "save"},
      {0, nullptr, nullptr},          {kUndo, "Undo", "undo"},         {kRedo, "Redo", "redo"},
      {0, nullptr, nullptr},          {kCreateText, "ﾌｫﾝﾄ", "text"},   {0, nullptr, nullptr},
      {kFollowModel, "中心", "follow"}, {0, nullptr, nullptr},          {kMoveMode, "移動", "move"},
      {kRotateMode, "回転", "rotate"}, {kScaleMode, "拡大", "scale"},   {0, nullptr, nullptr},
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
      {0, nullptr, nullptr},
      {kKeyFrameDialog, "ｷｰ", "key"},
      {kAddKeySelected, "追加", "add-key"},
      {kAddKeyAll, "全追", "add-key-all"},
      {kDeleteKeySelected, "削除", "delete-key"},
      {kDeleteKeyAll, "全削", "delete-key-all"},
      {0, nullptr, nullptr},
      {kInsertFrames, "挿入", "insert-frames"},
      {kDeleteFrames, "削除", "delete-frames"},
  };
  return kButtons;
}

const std::vector<Accelerator>& Accelerators() {
  constexpr auto C = Qt::CTRL;
  constexpr auto A = Qt::ALT;
  constexpr auto S = Qt::SHIFT;
  static const std::vector<Accelerator> kKeys{
      {C | Qt::Key_A, kSaveAs},        {A | Qt::Key_A, kMainToolbar},     {C | Qt::Key_B, kPlay},
      {A | Qt::Key_B, kControlToolbar}, {C | Qt::Key_C, kMouseCamera},    {C | Qt::Key_D, kStop},
      {A | Qt::Key_D, 32810},          {C | Qt::Key_E, kNextFrame},       {C | Qt::Key_F, kPreviousFrame},
      {C | Qt::Key_G, kNextKey},       {A | Qt::Key_G, 32814},            {C | Qt::Key_H, kPreviousKey},
      {C | Qt::Key_I, kFirstFrame},    {A | Qt::Key_I, appcmd::kHelp},    {C | Qt::Key_J, kLastFrame},
      {A | Qt::Key_J, kStatusBar},     {C | Qt::Key_K, kKeyFrameDialog},  {A | Qt::Key_K, 32812},
      {C | Qt::Key_L, kScaleMode},     {A | Qt::Key_L, 32817},            {C | Qt::Key_M, kMouseAnimation},
      {A | Qt::Key_M, kShowHideModel}, {C | Qt::Key_N, kNew},             {A | Qt::Key_N, kBackgroundColor},
      {C | Qt::Key_O, kOpen},          {C | Qt::Key_P, kAddKeySelected},  {A | Qt::Key_P, kSmoothShading},
      {C | Qt::Key_Q, kAddKeyAll},     {A | Qt::Key_Q, appcmd::kAbout},   {C | Qt::Key_R, kRotateMode},
      {A | Qt::Key_R, kInsertFrames},  {C | Qt::Key_S, kSave},            {C | Qt::Key_T, kDeleteKeySelected},
      {C | Qt::Key_U, kDeleteKeyAll},  {A | Qt::Key_U, kDeleteFrames},    {C | Qt::Key_V, kMoveMode},
      {A | Qt::Key_Delete, kDeleteModel}, {S | Qt::Key_Delete, 57635},    {Qt::Key_F1, kCameraLeft},
      {S | Qt::Key_F1, kCameraRight},  {Qt::Key_F2, kCameraTop},          {S | Qt::Key_F2, kCameraBottom},
      {Qt::Key_F3, kCameraFront},      {S | Qt::Key_F3, kCameraBack},     {Qt::Key_F6, 57680},
      {S | Qt::Key_F6, 57681},         {C | Qt::Key_Insert, 57634},       {S | Qt::Key_Insert, 57637},
      {A | Qt::Key_W, kResetCamera},   {C | Qt::Key_X, 57635},            {A | Qt::Key_X, kAddModel},
      {C | Qt::Key_Y, kRedo},          {C | Qt::Key_Z, kUndo},            {A | Qt::Key_Z, kRenameModel},
      {Qt::Key_F4, kFollowModel},
  };
  return kKeys;
}

bool IsCheckableCommand(int32_t command) {
  switch (command) {
    case kFollowModel:
    case kMoveMode:
    case kRotateMode:
    case kScaleMode:
    case kHermite:
    case kSmoothShading:
    case kMainToolbar:
    case kControlToolbar:
    case kStatusBar: return true;
    default: return false;
  }
}

namespace {
QString PromptText(std::string_view text) {
  return QCoreApplication::translate("CommandPrompts", std::string(text).c_str());
}
}  // namespace

void SetCommandTips(QAction* item, int32_t command) {
  if (const std::string_view prompt = StatusPrompt(command); !prompt.empty()) item->setStatusTip(PromptText(prompt));
  if (const std::string_view name = CommandName(command); !name.empty()) item->setToolTip(PromptText(name));
}

}  // namespace qv::ui
