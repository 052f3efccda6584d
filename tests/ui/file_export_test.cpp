// Save-as to glTF and movies through the real window: the file dialog, the options dialog with
// its refusals, the progress dialog and its cancel, the offer to open what was written; the
// document and its file stay as they were.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QtEndian>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "movie/movie_reader.h"
#include "support/desktop/desktop_test.h"
#include "support/desktop/modal_dialogs.h"
#include "support/desktop/window_gestures.h"
#include "ui/file_export_front_end.h"
#include "ui/main_window.h"

using qv::CommandId;
using namespace qv::testing;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const QString kFixture = QStringLiteral(QV_TEST_DATA_DIR "/gltf/hierarchy.qvlogo");  // 60 frames at 30 fps

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The options dialog as a person fills it: the fields given replace the presets; then OK.
struct MovieOptions {
  QString width, height, firstFrame, lastFrame, loops, supersample;
};

void Fill(QWidget* dialog, const MovieOptions& o) {
  const std::pair<const char*, QString> fields[] = {{"movieWidth", o.width},   {"movieHeight", o.height},
                                                    {"firstFrame", o.firstFrame}, {"lastFrame", o.lastFrame},
                                                    {"loops", o.loops},         {"supersample", o.supersample}};
  for (const auto& [name, text] : fields)
    if (!text.isEmpty()) dialog->findChild<QLineEdit*>(QLatin1String(name))->setText(text);
}

QPushButton* DialogButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  return dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttons"))->button(which);
}

void AnswerNextMovieOptions(const MovieOptions& options) {
  qv::test::AnswerNextDialog("movieOptionsDialog", [options](QWidget* modal) { Fill(modal, options); });
}

// The JSON chunk of a .glb (12-byte header, then a chunk of length, type "JSON", bytes).
QJsonObject GlbJson(const QByteArray& glb) {
  if (glb.size() < 20 || !glb.startsWith("glTF") || glb.mid(16, 4) != "JSON") return {};
  const quint32 length = qFromLittleEndian<quint32>(glb.constData() + 12);
  return QJsonDocument::fromJson(glb.mid(20, int(length))).object();
}

}  // namespace

class FileExportTest : public QObject {
  Q_OBJECT
 private:
  QString folder_;
  QString document_;
  QByteArray documentBytes_;

  // The window with a copy of the fixture open, untouched.
  bool Open(qv::ui::MainWindow& window) {
    window.resize(900, 700);
    if (!ShowAndWait(window)) return false;
    if (!window.document().OnOpenDocument(document_.toStdString())) return false;
    window.RefreshCommandStates();
    return !window.document().IsModified();
  }
  void ExpectDocumentUntouched(qv::ui::MainWindow& window) {
    QCOMPARE(QString::fromStdString(window.document().path()), document_);
    QCOMPARE(window.windowTitle(), "Quorvel Logo 0.2 - " + document_);
    QVERIFY(!window.document().IsModified());
    QCOMPARE(ReadAll(document_), documentBytes_);
  }

 private slots:
  void initTestCase() {
    folder_ = TestFolder() + "/file export";
    QVERIFY(QDir().mkpath(folder_));
    document_ = folder_ + "/logo.qvlogo";
    QVERIFY(QFile::copy(kFixture, document_));
    documentBytes_ = ReadAll(document_);
  }

  void glbThroughSaveAsWithTheAnimation() {
    qv::ui::MainWindow window;
    QVERIFY(Open(window));
    QUrl opened;
    window.fileExport().openUrl = [&opened](const QUrl& url) {
      opened = url;
      return true;
    };
    const QString path = folder_ + "/logo.glb";
    qv::test::AnswerNextSaveDialog(path, 0);  // the document type listed: the name decides
    QString said;
    qv::test::AnswerNextModal([&said](QWidget* modal) {
      if (modal->objectName() != QLatin1String("exportWritten")) return false;
      said = static_cast<QMessageBox*>(modal)->text();
      modal->findChild<QPushButton*>(QStringLiteral("openFolder"))->click();
      return true;
    });
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);

    const QJsonObject gltf = GlbJson(ReadAll(path));
    QCOMPARE(gltf["asset"].toObject()["version"].toString(), QString("2.0"));
    QVERIFY(gltf["meshes"].toArray().size() >= 1);
    const QJsonArray animations = gltf["animations"].toArray();
    QVERIFY(!animations.isEmpty());
    QVERIFY(!animations[0].toObject()["channels"].toArray().isEmpty());
    QCOMPARE(said, path + U(" に書き出しました。"));
    QVERIFY2(window.statusBar()->currentMessage().contains(path), qPrintable(window.statusBar()->currentMessage()));
    QCOMPARE(opened, QUrl::fromLocalFile(folder_));
    ExpectDocumentUntouched(window);
    QVERIFY(!QFile::exists(folder_ + "/logo.glb.qvlogo"));
  }

  void gifThroughSaveAsHasEveryFrameOfTheRange() {
    qv::ui::MainWindow window;
    QVERIFY(Open(window));
    const QString path = folder_ + "/logo.gif";
    qv::test::AnswerNextSaveDialog(path, 0);
    AnswerNextMovieOptions({"160", "120", "5", "14", "", ""});
    qv::test::AnswerNextMessageBox(QMessageBox::Close);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);

    QVERIFY(QFile::exists(path));
    const qv::MovieFileInfo info = qv::ReadMovieFile(path.toStdString());
    QCOMPARE(info.frames, int64_t(10));
    QCOMPARE(info.width, 160);
    QCOMPARE(info.height, 120);
    ExpectDocumentUntouched(window);
  }

  void cancelPartWayLeavesNothingAndTheNextExportWorks() {
    qv::ui::MainWindow window;
    QVERIFY(Open(window));
    const QString path = folder_ + "/cancelled.webm";
    qv::test::AnswerNextSaveDialog(path, 0);
    // Large and supersampled: seconds of work, so the progress is seen on its way. It is
    // cancelled once a frame was drawn: how far it gets in the answer's time depends on the
    // machine (a sanitizer build draws several times slower).
    AnswerNextMovieOptions({"800", "600", "", "", "", "3"});
    int cancelledAt = -1, of = 0;
    qv::test::AnswerNextModal([&](QWidget* modal) {
      auto* progress = qobject_cast<QProgressDialog*>(modal);
      if (!progress || progress->maximum() <= 1 || progress->value() < 1) return false;
      cancelledAt = progress->value();
      of = progress->maximum();
      progress->findChild<QPushButton*>()->click();
      return true;
    });
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(of, 61);
    QVERIFY2(cancelledAt < of, qPrintable(QString::number(cancelledAt)));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(folder_).entryList({"cancelled*"}, QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(!QApplication::activeModalWidget());

    // The window goes on working, and a second export goes through.
    QTRY_VERIFY(window.isActiveWindow());
    QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);  // next frame
    QCOMPARE(window.document().scene().m_currentFrame, 1);
    qv::test::AnswerNextSaveDialog(path, 0);
    AnswerNextMovieOptions({"160", "120", "", "", "", "1"});
    qv::test::AnswerNextMessageBox(QMessageBox::Close);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(QFile::exists(path));
    QCOMPARE(qv::ReadMovieFile(path.toStdString()).frames, int64_t(61));
    ExpectDocumentUntouched(window);
  }

  void refusedOptionsKeepTheDialogOpenWithTheMessage() {
    qv::ui::MainWindow window;
    QVERIFY(Open(window));
    const QString path = folder_ + "/refused.mp4";
    qv::test::AnswerNextSaveDialog(path, 0);
    QStringList said;
    QList<bool> stayedOpen;
    qv::test::AnswerNextModal([&](QWidget* modal) {
      if (modal->objectName() != QLatin1String("movieOptionsDialog")) return false;
      const MovieOptions refused[] = {{"801", "600", "", "", "", ""}, {"800", "600", "0", "61", "", ""}};
      for (const MovieOptions& options : refused) {
        QString text;
        qv::test::AnswerNextMessageBox(QMessageBox::Ok, &text);
        Fill(modal, options);
        DialogButton(modal, QDialogButtonBox::Ok)->click();
        said << text;
        stayedOpen << modal->isVisible();
      }
      DialogButton(modal, QDialogButtonBox::Cancel)->click();
      return true;
    });
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(said, QStringList({"H.264 in MP4 needs an even width and height, not 801x600",
                                "frames must run from F to L within 0 to 60, F not after L"}));
    QCOMPARE(stayedOpen, QList<bool>({true, true}));
    QVERIFY(!QFile::exists(path));
    ExpectDocumentUntouched(window);
  }
};

QV_DESKTOP_TEST_MAIN(FileExportTest)
#include "file_export_test.moc"
