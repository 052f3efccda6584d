#include "document/command_table.h"

#include <algorithm>

#include "document/motion_doc.h"
#include "scene/interface_text.h"
#include "viewport/camera.h"

namespace qv {

namespace {

using C = CommandContext;
using Id = CommandId;

// The enable rules.
bool ModelSelected(const CMotionDoc& doc) { return doc.scene().HasValidSelection(); }
bool CanUndo(const CMotionDoc& doc) { return !doc.scene().m_undoStack.empty(); }
bool CanRedo(const CMotionDoc& doc) { return !doc.scene().m_redoStack.empty(); }
bool HasCurrentAnimation(const CMotionDoc& doc) {
  const Scene& scene = doc.scene();
  return scene.m_currentAnimation >= 0 &&
         scene.m_currentAnimation < static_cast<int32_t>(scene.m_animationNames.size());
}
bool Never(const CMotionDoc&) { return false; }

// The check rules.
bool Following(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_followModel; }
bool Moving(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_transformMode == kTransformMove; }
bool Rotating(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_transformMode == kTransformRotate; }
bool Scaling(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_transformMode == kTransformScale; }
bool Hermite(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_hermite; }
bool SmoothShading(const CMotionDoc& doc, const FrameState&) { return doc.scene().m_smoothShading != 0; }
bool MouseOnCamera(const CMotionDoc& doc, const FrameState&) { return doc.m_mouseMode == kMouseCamera; }
bool MouseOnModel(const CMotionDoc& doc, const FrameState&) { return doc.m_mouseMode == kMouseModel; }
bool MouseOnAnimation(const CMotionDoc& doc, const FrameState&) { return doc.m_mouseMode == kMouseAnimation; }
bool MainToolbarShown(const CMotionDoc&, const FrameState& bars) { return bars.mainToolbarVisible; }
bool ControlToolbarShown(const CMotionDoc&, const FrameState& bars) { return bars.controlToolbarVisible; }
bool StatusBarShown(const CMotionDoc&, const FrameState& bars) { return bars.statusBarVisible; }

void ToggleBar(C& c, bool FrameState::*bar) {
  FrameState& bars = c.host.frameState();
  bars.*bar = !(bars.*bar);
  c.host.ShowBars();
}

// Menu order; then the keys-only commands, the panes' commands and the keys nothing answers.
constexpr Command kCommands[] = {
    // File
    {.id = Id::kNew,
     .name = QV_TRANSLATE_NOOP("Commands", "新規ﾌｧｲﾙ"),
     .run = [](C& c) { c.doc.OnNewDocument(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "新規にﾌｧｲﾙを作成")},
    // The document's open: no question about the changes first.
    {.id = Id::kOpen,
     .name = QV_TRANSLATE_NOOP("Commands", "開く"),
     .run = [](C& c) { c.doc.OnFileOpen(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "既存のﾌｧｲﾙ(.qvlogo)を開く、またはMetasequoiaﾌｧｲﾙ(.mqo)を読み込む")},
    {.id = Id::kSave,
     .name = QV_TRANSLATE_NOOP("Commands", "上書き保存"),
     .run = [](C& c) { c.doc.OnFileSave(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "開いているﾌｧｲﾙを上書きして保存")},
    {.id = Id::kSaveAs,
     .name = QV_TRANSLATE_NOOP("Commands", "名前を付けて保存"),
     .run = [](C& c) { c.doc.OnFileSaveAs(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾌｧｲﾙに名前を付けて保存、またはWebﾍﾟｰｼﾞ(WebGL, WebGPU)として書き出す")},
    // The model tree's add command, from the menu or the key wherever the focus is.
    {.id = Id::kAddModel,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾓﾃﾞﾙ追加"),
     .run = [](C& c) { c.host.AddModel(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾓﾃﾞﾙを追加する")},
    {.id = Id::kRecentFileFirst,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾌｧｲﾙを開く"),
     .run = [](C& c) { c.doc.OnOpenRecentFile(*RecentFileIndex(c.id)); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "このﾌｧｲﾙを開く")},
    {.id = Id::kExit,
     .name = QV_TRANSLATE_NOOP("Commands", "終了"),
     .run = [](C& c) { c.host.Exit(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示")},
    // Edit
    {.id = Id::kUndo,
     .name = QV_TRANSLATE_NOOP("Commands", "元に戻す"),
     .run = [](C& c) { c.doc.OnUndo(); },
     .enabled = CanUndo,
     .prompt = QV_TRANSLATE_NOOP("Commands", "直前に行った動作を元に戻す")},
    {.id = Id::kRedo,
     .name = QV_TRANSLATE_NOOP("Commands", "繰り返す"),
     .run = [](C& c) { c.doc.OnRedo(); },
     .enabled = CanRedo,
     .prompt = QV_TRANSLATE_NOOP("Commands", "直前に元に戻した動作を繰り返す")},
    {.id = Id::kCopyAllFrames,
     .name = QV_TRANSLATE_NOOP("Commands", "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝのｺﾋﾟｰ"),
     .run = [](C& c) { c.doc.OnCopyAllFrames(); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ")},
    {.id = Id::kPasteAllFrames,
     .name = QV_TRANSLATE_NOOP("Commands", "全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝの貼付"),
     .run = [](C& c) { c.doc.OnPasteAllFrames(); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｺﾋﾟｰした全ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝを選択ﾓﾃﾞﾙに貼り付け")},
    {.id = Id::kCopyCurrentPose,
     .name = QV_TRANSLATE_NOOP("Commands", "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝｺﾋﾟｰ"),
     .run = [](C& c) { c.doc.OnCopyCurrentPose(); },
     .enabled = HasCurrentAnimation,
     .prompt = QV_TRANSLATE_NOOP("Commands", "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝをｺﾋﾟｰ")},
    {.id = Id::kPasteCurrentPose,
     .name = QV_TRANSLATE_NOOP("Commands", "現在ﾌﾚｰﾑのｱﾆﾒｰｼｮﾝ貼付"),
     .run = [](C& c) { c.doc.OnPasteCurrentPose(); },
     .enabled = HasCurrentAnimation,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｺﾋﾟｰしたｱﾆﾒｰｼｮﾝを現在ﾌﾚｰﾑに貼り付け")},
    // Create
    {.id = Id::kCreateText,
     .name = QV_TRANSLATE_NOOP("Commands", "文字作成"),
     .run = [](C& c) { c.host.OpenCreateTextDialog(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "文字作成")},
    // Camera
    {.id = Id::kCameraLeft,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを左から"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kLeft); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを左から向ける")},
    {.id = Id::kCameraTop,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを上から"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kTop); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを上から向ける")},
    {.id = Id::kCameraFront,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを前から"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kFront); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを前から向ける")},
    {.id = Id::kCameraRight,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを右から"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kRight); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを右から向ける")},
    {.id = Id::kCameraBottom,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを下から"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kBottom); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを下から向ける")},
    {.id = Id::kCameraBack,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを後ろから"),
     .run = [](C& c) { c.doc.OnCameraView(CameraView::kBack); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを後ろから向ける")},
    {.id = Id::kFollowModel,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗをﾓﾃﾞﾙに向ける"),
     .run = [](C& c) { c.doc.OnToggleFollow(); },
     .checked = Following,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを選択ﾓﾃﾞﾙに向ける(もう一度で解除)")},
    // Transform
    {.id = Id::kMoveMode,
     .name = QV_TRANSLATE_NOOP("Commands", "移動"),
     .run = [](C& c) { c.doc.OnTransformMode(kTransformMove); },
     .checked = Moving,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙをﾏｳｽで移動する")},
    {.id = Id::kRotateMode,
     .name = QV_TRANSLATE_NOOP("Commands", "回転"),
     .run = [](C& c) { c.doc.OnTransformMode(kTransformRotate); },
     .checked = Rotating,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙをﾏｳｽで回転する")},
    {.id = Id::kScaleMode,
     .name = QV_TRANSLATE_NOOP("Commands", "拡大"),
     .run = [](C& c) { c.doc.OnTransformMode(kTransformScale); },
     .checked = Scaling,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙをﾏｳｽで拡大・縮小する")},
    // Control
    {.id = Id::kPlay,
     .name = QV_TRANSLATE_NOOP("Commands", "再生"),
     .run = [](C& c) { c.doc.OnPlay(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｱﾆﾒｰｼｮﾝを再生")},
    {.id = Id::kStop,
     .name = QV_TRANSLATE_NOOP("Commands", "停止"),
     .run = [](C& c) { c.doc.OnStop(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｱﾆﾒｰｼｮﾝを停止")},
    {.id = Id::kNextFrame,
     .name = QV_TRANSLATE_NOOP("Commands", "1ﾌﾚｰﾑ進む"),
     .run = [](C& c) { c.doc.OnNextFrame(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "1ﾌﾚｰﾑ進む")},
    {.id = Id::kPreviousFrame,
     .name = QV_TRANSLATE_NOOP("Commands", "1ﾌﾚｰﾑ戻る"),
     .run = [](C& c) { c.doc.OnPreviousFrame(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "1ﾌﾚｰﾑ戻る")},
    {.id = Id::kNextKey,
     .name = QV_TRANSLATE_NOOP("Commands", "次のｷｰﾌﾚｰﾑ"),
     .run = [](C& c) { c.doc.OnNextKey(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの次のｷｰﾌﾚｰﾑへ移動")},
    {.id = Id::kPreviousKey,
     .name = QV_TRANSLATE_NOOP("Commands", "前のｷｰﾌﾚｰﾑ"),
     .run = [](C& c) { c.doc.OnPreviousKey(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの前のｷｰﾌﾚｰﾑへ移動")},
    {.id = Id::kFirstFrame,
     .name = QV_TRANSLATE_NOOP("Commands", "最初のﾌﾚｰﾑ"),
     .run = [](C& c) { c.doc.OnFirstFrame(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "最初のﾌﾚｰﾑへ移動")},
    {.id = Id::kLastFrame,
     .name = QV_TRANSLATE_NOOP("Commands", "最後のﾌﾚｰﾑ"),
     .run = [](C& c) { c.doc.OnLastFrame(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "最後のﾌﾚｰﾑへ移動")},
    {.id = Id::kKeyFrameDialog,
     .name = QV_TRANSLATE_NOOP("Commands", "ｷｰﾌﾚｰﾑの追加・削除"),
     .run = [](C& c) { c.doc.OnKeyFrameDialog(); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾌﾚｰﾑを指定してｷｰﾌﾚｰﾑを追加・削除")},
    {.id = Id::kAddKeySelected,
     .name = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加"),
     .run = [](C& c) { c.doc.OnAddKey(false); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加")},
    {.id = Id::kAddKeyAll,
     .name = QV_TRANSLATE_NOOP("Commands", "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ追加"),
     .run = [](C& c) { c.doc.OnAddKey(true); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "全ﾓﾃﾞﾙの現在ﾌﾚｰﾑにｷｰﾌﾚｰﾑを追加")},
    {.id = Id::kDeleteKeySelected,
     .name = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除"),
     .run = [](C& c) { c.doc.OnDeleteKey(false); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除")},
    {.id = Id::kDeleteKeyAll,
     .name = QV_TRANSLATE_NOOP("Commands", "全ﾓﾃﾞﾙのｷｰﾌﾚｰﾑ削除"),
     .run = [](C& c) { c.doc.OnDeleteKey(true); },
     .enabled = ModelSelected,
     .prompt = QV_TRANSLATE_NOOP("Commands", "全ﾓﾃﾞﾙの現在ﾌﾚｰﾑのｷｰﾌﾚｰﾑを削除")},
    {.id = Id::kInsertFrames,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾌﾚｰﾑを挿入"),
     .run = [](C& c) { c.doc.OnInsertFrames(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "指定したﾌﾚｰﾑの後ろにﾌﾚｰﾑを挿入")},
    {.id = Id::kDeleteFrames,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾌﾚｰﾑを削除"),
     .run = [](C& c) { c.doc.OnDeleteFrames(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "指定した範囲のﾌﾚｰﾑを削除")},
    // Settings
    {.id = Id::kBackgroundColor,
     .name = QV_TRANSLATE_NOOP("Commands", "背景色"),
     .run = [](C& c) { c.host.ChooseBackgroundColor(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "背景色を変更")},
    {.id = Id::kSettings,
     .name = QV_TRANSLATE_NOOP("Commands", "設定"),
     .run = [](C& c) { c.host.OpenSettingsDialog(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｷｬﾝﾊﾞｽの大きさ、視野角、ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞの角度を設定")},
    {.id = Id::kHermite,
     .name = QV_TRANSLATE_NOOP("Commands", "エルミート曲線"),
     .run = [](C& c) { c.doc.OnToggleHermite(); },
     .checked = Hermite,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｷｰﾌﾚｰﾑの間をｴﾙﾐｰﾄ曲線で補間する(外すと直線)")},
    {.id = Id::kResetCamera,
     .name = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗの初期化"),
     .run = [](C& c) { c.doc.OnResetCamera(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｶﾒﾗを最初の位置に戻す")},
    {.id = Id::kSmoothShading,
     .name = QV_TRANSLATE_NOOP("Commands", "ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞ"),
     .run = [](C& c) { c.doc.OnToggleSmoothShading(); },
     .checked = SmoothShading,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｽﾑｰｽﾞ･ｼｪｰﾃﾞｨﾝｸﾞとﾌﾗｯﾄ･ｼｪｰﾃﾞｨﾝｸﾞを切り替える")},
    // View
    {.id = Id::kMainToolbar,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示切り替え"),
     .run = [](C& c) { ToggleBar(c, &FrameState::mainToolbarVisible); },
     .checked = MainToolbarShown,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰの表示/非表示")},
    {.id = Id::kControlToolbar,
     .name = QV_TRANSLATE_NOOP("Commands", "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示切り替え"),
     .run = [](C& c) { ToggleBar(c, &FrameState::controlToolbarVisible); },
     .checked = ControlToolbarShown,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰの表示/非表示")},
    {.id = Id::kStatusBar,
     .name = QV_TRANSLATE_NOOP("Commands", "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"),
     .run = [](C& c) { ToggleBar(c, &FrameState::statusBarVisible); },
     .checked = StatusBarShown,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示")},
    // Help
    {.id = Id::kHelp,
     .name = QV_TRANSLATE_NOOP("Commands", "目次"),
     .run = [](C& c) { c.host.ShowHelp(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾍﾙﾌﾟの目次を表示")},
    {.id = Id::kUnregister,
     .name = QV_TRANSLATE_NOOP("Commands", "レジスターの削除"),
     .run = [](C& c) { c.host.Unregister(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", ".qvlogo ﾌｧｲﾙの関連付けを削除")},
    {.id = Id::kAbout,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾊﾞｰｼﾞｮﾝ情報"),
     .run = [](C& c) { c.host.ShowAbout(); },
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝを表示")},
    // The viewport's mouse modes, keys only. The model mode can never be chosen.
    {.id = Id::kMouseCamera,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでｶﾒﾗ操作"),
     .run = [](C& c) { c.doc.OnMouseMode(kMouseCamera); },
     .checked = MouseOnCamera,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでの操作をｶﾒﾗにする")},
    {.id = Id::kMouseModel,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでﾓﾃﾞﾙ操作"),
     .enabled = Never,
     .checked = MouseOnModel,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでの操作をﾓﾃﾞﾙにする")},
    {.id = Id::kMouseAnimation,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでｱﾆﾒｰｼｮﾝ操作"),
     .run = [](C& c) { c.doc.OnMouseMode(kMouseAnimation); },
     .checked = MouseOnAnimation,
     .prompt = QV_TRANSLATE_NOOP("Commands", "ﾏｳｽでの操作をｱﾆﾒｰｼｮﾝにする")},
    // The model tree's and the material list's context menus: the panes run them while they are
    // the active view (the tree takes its keys ahead of the window's), so the window's keys for
    // them do nothing.
    {.id = Id::kDeleteModel,
     .name = QV_TRANSLATE_NOOP("Commands", "ﾓﾃﾞﾙ削除"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙを削除する")},
    {.id = Id::kRenameModel,
     .name = QV_TRANSLATE_NOOP("Commands", "名前変更"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの名前を変更する")},
    {.id = Id::kShowHideModel,
     .name = QV_TRANSLATE_NOOP("Commands", "表示・非表示"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択ﾓﾃﾞﾙの表示・非表示を切り替える")},
    {.id = Id::kMaterialColor,
     .name = QV_TRANSLATE_NOOP("Commands", "色"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択した材質の色を変更する")},
    {.id = Id::kRenameMaterial,
     .name = QV_TRANSLATE_NOOP("Commands", "名前変更"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択した材質の名前を変更する")},
    {.id = Id::kDeleteMaterial,
     .name = QV_TRANSLATE_NOOP("Commands", "削除"),
     .prompt = QV_TRANSLATE_NOOP("Commands", "選択した材質を削除する")},
    // Keys that no command answers: no prompt, nothing runs.
    {.id = Id::kUnusedAltD},
    {.id = Id::kUnusedAltK},
    {.id = Id::kUnusedAltG},
    {.id = Id::kUnusedAltL},
    {.id = Id::kEditCopy},
    {.id = Id::kEditCut},
    {.id = Id::kEditPaste},
    {.id = Id::kNextPane},
    {.id = Id::kPreviousPane},
};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(CommandId id) {
  if (RecentFileIndex(id)) id = CommandId::kRecentFileFirst;
  const auto found =
      std::find_if(std::begin(kCommands), std::end(kCommands), [id](const Command& c) { return c.id == id; });
  return found == std::end(kCommands) ? nullptr : found;
}

bool IsCommandEnabled(CommandId id, const CMotionDoc& doc) {
  const Command* command = FindCommand(id);
  return !command || !command->enabled || command->enabled(doc);
}

bool IsCommandCheckable(CommandId id) {
  const Command* command = FindCommand(id);
  return command && command->checked;
}

bool IsCommandChecked(CommandId id, const CMotionDoc& doc, const FrameState& bars) {
  const Command* command = FindCommand(id);
  return command && command->checked && command->checked(doc, bars);
}

bool RunCommand(CommandId id, CMotionDoc& doc, CommandHost& host) {
  if (!IsCommandEnabled(id, doc)) return false;
  const Command* command = FindCommand(id);
  if (command && command->run) {
    CommandContext context{doc, host, id};
    command->run(context);
  }
  return true;
}

std::string_view StatusPrompt(CommandId id) {
  const Command* command = FindCommand(id);
  return command ? command->prompt : std::string_view();
}

std::string_view CommandName(CommandId id) {
  const Command* command = FindCommand(id);
  return command ? command->name : std::string_view();
}

}  // namespace qv
