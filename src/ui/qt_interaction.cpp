#include "ui/qt_interaction.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "document/save_types.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/frame_dialogs.h"

namespace qv::ui {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const char* const kContext = "qv::ui::QtInteraction";

// The file types' names as the dialogs list them; a name ends in its pattern.
QString DocumentFilter() { return QCoreApplication::translate(kContext, "Quorvel Logo ﾌｧｲﾙ(*.qvlogo)"); }
QString OpenFilter() { return QCoreApplication::translate(kContext, "Quorvel Logoファイル(*.qvlogo)"); }
QString MetasequoiaFilter() { return QCoreApplication::translate(kContext, "Metasequoiaファイル(*.mqo)"); }
QString WebGLFilter() { return QCoreApplication::translate(kContext, "WebGL ﾌｧｲﾙ(*.html)"); }
QString WebGPUFilter() { return QCoreApplication::translate(kContext, "WebGPUファイル(*.html)"); }
// Files for other programs, in SaveType's order after the web pages.
QStringList FileExportFilters() {
  return {QCoreApplication::translate(kContext, "glTF ﾊﾞｲﾅﾘ(*.glb)"),
          QCoreApplication::translate(kContext, "glTF(*.gltf)"),
          QCoreApplication::translate(kContext, "MP4 動画(*.mp4)"),
          QCoreApplication::translate(kContext, "WebM 動画(*.webm)"),
          QCoreApplication::translate(kContext, "GIF ｱﾆﾒｰｼｮﾝ(*.gif)"),
          QCoreApplication::translate(kContext, "ｱﾆﾒｰｼｮﾝ PNG(*.png)"),
          QCoreApplication::translate(kContext, "ｱﾆﾒｰｼｮﾝ WebP(*.webp)")};
}

// The type of the dialog's list entry `filter` (SaveType counts from 1 in the list's order).
SaveType SaveTypeOfFilter(const QStringList& filters, const QString& filter) {
  return static_cast<SaveType>(std::max<qsizetype>(filters.indexOf(filter), 0) + 1);
}

// The save dialog: the name typed without an extension gets the one of the type chosen when OK
// is pressed (before the dialog asks whether to replace an existing file of that name).
class SaveFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void accept() override {
    setDefaultSuffix(QString::fromLatin1(SaveTypeExtension(SaveTypeOfFilter(nameFilters(), selectedNameFilter()))));
    QFileDialog::accept();
  }
};

}  // namespace

QStringList SaveTypeFilters() { return QStringList{DocumentFilter(), WebGLFilter(), WebGPUFilter()} + FileExportFilters(); }

void QtInteraction::ShowMessage(std::string_view text) {
  if (holding_) {
    held_.emplace_back(text);
    return;
  }
  // The document's message texts are the translation sources (texts naming a file have no
  // translation and show as they are).
  const std::string source(text);
  ShowMessageBox(parent_, QCoreApplication::translate("qv::CMotionDoc", source.c_str()));
}

void QtInteraction::ReleaseMessages() {
  holding_ = false;
  const std::vector<std::string> held = std::move(held_);
  held_.clear();
  for (const std::string& text : held) ShowMessage(text);
}

std::optional<std::pair<int32_t, int32_t>> QtInteraction::AskInsertFrames(int32_t afterFrame, int32_t count) {
  InsertFramesDialog dialog(afterFrame, count, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.values();
}

std::optional<std::pair<int32_t, int32_t>> QtInteraction::AskDeleteFrames(int32_t first, int32_t last) {
  DeleteFramesDialog dialog(first, last, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.values();
}

std::optional<KeyFrameChoice> QtInteraction::AskKeyFrame(const KeyFrameChoice& initial) {
  KeyFrameDialog dialog(initial, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

SaveChangesAnswer QtInteraction::AskSaveChanges(std::string_view title) {
  QMessageBox box(QMessageBox::Question, ApplicationName(),
                  QCoreApplication::translate(kContext, "%1 への変更を保存しますか?").arg(FromUtf8(title)),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setObjectName(QStringLiteral("saveChangesPrompt"));
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate(kContext, "はい(&Y)"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate(kContext, "いいえ(&N)"));
  box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate(kContext, "キャンセル"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes: return SaveChangesAnswer::kYes;
    case QMessageBox::No: return SaveChangesAnswer::kNo;
    default: return SaveChangesAnswer::kCancel;  // also the window's close button
  }
}

std::optional<std::string> QtInteraction::AskOpenPath() {
  QFileDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("openDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // A Metasequoia file opened here is imported into the scene.
  dialog.setNameFilters({OpenFilter(), MetasequoiaFilter()});
  dialog.setDefaultSuffix(QStringLiteral("qvlogo"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<SavePathChoice> QtInteraction::AskSavePath(bool documentTypeOnly) {
  SaveFileDialog dialog(parent_);
  dialog.setObjectName(QStringLiteral("saveDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters = SaveTypeFilters();
  if (documentTypeOnly) filters = filters.mid(0, 1);
  dialog.setNameFilters(filters);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  SavePathChoice choice;
  choice.path = dialog.selectedFiles().first().toStdString();
  // A name ending in a type's extension is that type, whatever the list showed.
  choice.type = SaveTypeForPath(choice.path, SaveTypeOfFilter(filters, dialog.selectedNameFilter()));
  if (documentTypeOnly) choice.type = SaveType::kDocument;
  return choice;
}

void QtInteraction::PageWritten(std::string_view pagePath) {
  const QString page = QDir::toNativeSeparators(QFileInfo(FromUtf8(pagePath)).absoluteFilePath());
  if (showStatus) showStatus(QCoreApplication::translate(kContext, "Webページを書き出しました: %1").arg(page));
  QMessageBox box(QMessageBox::Question, ApplicationName(),
                  QCoreApplication::translate(kContext, "Webページを書き出しました。\n%1\n\n既定のブラウザで開きますか?").arg(page),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setObjectName(QStringLiteral("openPagePrompt"));
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate(kContext, "はい(&Y)"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate(kContext, "いいえ(&N)"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  if (box.exec() == QMessageBox::Yes) QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace qv::ui
