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
#include "ui/interface_translation.h"

namespace qv::ui {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }


// The file types' names as the dialogs list them; a name ends in its pattern.
QString DocumentFilter() { return QCoreApplication::translate("qv::ui::QtInteraction", "Quorvel Logo ﾌｧｲﾙ(*.qvlogo)"); }
QString OpenFilter() { return QCoreApplication::translate("qv::ui::QtInteraction", "Quorvel Logoファイル(*.qvlogo)"); }
QString MetasequoiaFilter() { return QCoreApplication::translate("qv::ui::QtInteraction", "Metasequoiaファイル(*.mqo)"); }
QString WebGLFilter() { return QCoreApplication::translate("qv::ui::QtInteraction", "WebGL ﾌｧｲﾙ(*.html)"); }
QString WebGPUFilter() { return QCoreApplication::translate("qv::ui::QtInteraction", "WebGPUファイル(*.html)"); }
// Files for other programs, in SaveType's order after the web pages.
QStringList FileExportFilters() {
  return {QCoreApplication::translate("qv::ui::QtInteraction", "glTF ﾊﾞｲﾅﾘ(*.glb)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "glTF(*.gltf)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "MP4 動画(*.mp4)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "WebM 動画(*.webm)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "GIF ｱﾆﾒｰｼｮﾝ(*.gif)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "ｱﾆﾒｰｼｮﾝ PNG(*.png)"),
          QCoreApplication::translate("qv::ui::QtInteraction", "ｱﾆﾒｰｼｮﾝ WebP(*.webp)")};
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
  ShowMessageBox(parent_, TranslatedMessage(text));
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
                  QCoreApplication::translate("qv::ui::QtInteraction", "%1 への変更を保存しますか?").arg(TranslatedMessage(title)),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setObjectName(QStringLiteral("saveChangesPrompt"));
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("qv::ui::QtInteraction", "はい(&Y)"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate("qv::ui::QtInteraction", "いいえ(&N)"));
  box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("qv::ui::QtInteraction", "キャンセル"));
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
  if (showStatus) showStatus(QCoreApplication::translate("qv::ui::QtInteraction", "Webページを書き出しました: %1").arg(page));
  QMessageBox box(QMessageBox::Question, ApplicationName(),
                  QCoreApplication::translate("qv::ui::QtInteraction", "Webページを書き出しました。\n%1\n\n既定のブラウザで開きますか?").arg(page),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setObjectName(QStringLiteral("openPagePrompt"));
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("qv::ui::QtInteraction", "はい(&Y)"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate("qv::ui::QtInteraction", "いいえ(&N)"));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  if (box.exec() == QMessageBox::Yes) QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

}  // namespace qv::ui
