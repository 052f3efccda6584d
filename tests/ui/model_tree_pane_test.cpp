// The model tree pane driven by the mouse and the keyboard: images, expansion, selection,
// dragging with its cursors and drop rules, delete, rename and show/hide.
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <QtTest>

#include "animation/undo.h"
#include "document/motion_doc.h"
#include "platform/text_codec.h"
#include "support/animated_scene.h"
#include "support/desktop/desktop_test.h"
#include "ui/panes/model_tree_pane.h"

using namespace qv;
using qv::ui::DropCursor;
using qv::ui::ModelTreePane;

class ModelTreePaneTest : public QObject {
  Q_OBJECT

  struct Fixture {
    SilentInteraction ui;
    CMotionDoc doc{ui};
    QWidget host;
    ModelTreePane* tree;
    // Parent (0) holding Child (1) holding Leaf (3); Other (2) top level.
    Fixture() {
      tree = new ModelTreePane(doc, &host);
      (new QVBoxLayout(&host))->addWidget(tree);
      host.resize(260, 300);
      testing::MakeAnimatedScene(doc.scene(), {"Parent", "Child", "Other", "Leaf"});
      doc.scene().m_models[1].m_parent = 0;
      doc.scene().m_models[3].m_parent = 1;
      doc.scene().RefreshParentNames();
      doc.UpdateAllViews(qv::Change::kDocument | Change::kModels);
      host.show();
      testing::ShowActive(host);
      tree->setFocus();
    }
    QTreeWidgetItem* ItemOf(int model) { return tree->ItemOfRow(tree->treeModel().RowOfModel(model)); }
    QPoint PointOf(QTreeWidgetItem* item) { return tree->visualItemRect(item).center(); }
    // The labels in visible order, indented by depth.
    QStringList Labels() {
      QStringList labels;
      for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
        labels << QString(depth, ' ') + (*it)->text(0);
      }
      return labels;
    }
    // Presses on `from`, moves onto `to` and releases there, like a person dragging.
    DropCursor Drag(QTreeWidgetItem* from, QTreeWidgetItem* to, Qt::KeyboardModifiers modifiers = {}) {
      QWidget* viewport = tree->viewport();
      const QPoint start = PointOf(from), end = PointOf(to);
      QTest::mousePress(viewport, Qt::LeftButton, {}, start);
      QTest::mouseMove(viewport, start + QPoint(8, 8));
      QTest::mouseMove(viewport, end);
      Move(end, modifiers);  // the cursor follows Ctrl
      const DropCursor cursor = tree->ShownDropCursor();
      QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, end);
      return cursor;
    }
    void Move(QPoint to, Qt::KeyboardModifiers modifiers) {
      QMouseEvent move(QEvent::MouseMove, to, tree->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, modifiers);
      QApplication::sendEvent(tree->viewport(), &move);
    }
  };

 private slots:
  void theHighlightStaysWithTheSelectionThroughUndoAndRedo() {
    Fixture f;
    QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.PointOf(f.ItemOf(2)));  // Other
    QCOMPARE(f.doc.scene().m_selectedModel, 2);
    QCOMPARE(f.tree->currentItem(), f.ItemOf(2));
    // A change the viewport would make, then undo and redo.
    RecordUndoSelected(f.doc.scene());
    f.doc.scene().m_models[2].m_tracks[0][0].m_position.x += 10;
    RecordUndoSelected(f.doc.scene());
    for (void (CMotionDoc::*step)() : {&CMotionDoc::OnUndo, &CMotionDoc::OnRedo}) {
      (f.doc.*step)();
      QCOMPARE(f.doc.scene().m_selectedModel, 2);
      QCOMPARE(f.tree->currentItem(), f.ItemOf(2));
      QCOMPARE(f.tree->selectedItems(), QList<QTreeWidgetItem*>{f.ItemOf(2)});
    }
    // A selection made elsewhere (the viewport's pick) shows after the next change of any kind.
    f.doc.scene().m_selectedModel = 3;
    f.doc.UpdateAllViews(qv::Change::kCurrentFrame);
    QCOMPARE(f.tree->currentItem(), f.ItemOf(3));
  }

  void showsTheModelsExpandedWithTheirImages() {
    Fixture f;
    QCOMPARE(f.Labels(), (QStringList{"無題", " Parent", "  Child", "   Leaf", " Other"}));
    for (QTreeWidgetItemIterator it(f.tree); *it; ++it) QVERIFY((*it)->childCount() == 0 || (*it)->isExpanded());
    // Image pair per item kind, the selected image different from the normal one.
    QCOMPARE(f.tree->topLevelItem(0)->data(0, Qt::UserRole + 1).toInt(), 0);
    QCOMPARE(f.ItemOf(2)->data(0, Qt::UserRole + 1).toInt(), 2);
    const QIcon shown = f.ItemOf(2)->icon(0);
    QCOMPARE(shown.pixmap(13, 13).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
             qv::ui::TreeItemImage(2));
    QVERIFY(shown.pixmap(13, 13, QIcon::Selected).toImage() != shown.pixmap(13, 13).toImage());
  }

  void clicksSelectAndSetTheMouseMode() {
    Fixture f;
    QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.PointOf(f.ItemOf(3)));
    QCOMPARE(f.doc.scene().m_selectedModel, 3);
    QCOMPARE(f.doc.m_mouseMode, kMouseAnimation);
    QCOMPARE(f.tree->currentItem()->text(0), QString("Leaf"));
    // The box outline was built for the picked model (an empty model: an empty box, but built).
    QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.PointOf(f.tree->topLevelItem(0)));
    QCOMPARE(f.doc.scene().m_selectedModel, kNoModel);
    QCOMPARE(f.doc.m_mouseMode, kMouseCamera);
    // The keyboard moves the tree's row only.
    QTest::keyClick(f.tree, Qt::Key_Down);
    QCOMPARE(f.tree->currentItem()->text(0), QString("Parent"));
    QCOMPARE(f.doc.scene().m_selectedModel, kNoModel);
  }

  void dragsFollowTheDropRules_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("target");  // -1: the root
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("parent");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<int>("undoEntries");
    QTest::addColumn<QStringList>("labels");
    const QStringList unchanged{"無題", " Parent", "  Child", "   Leaf", " Other"};
    QTest::newRow("onto its own child") << 1 << 3 << false << int(DropCursor::kRefused) << 0 << "Parent" << 0 << unchanged;
    QTest::newRow("onto itself") << 1 << 1 << false << int(DropCursor::kRefused) << 0 << "Parent" << 0 << unchanged;
    QTest::newRow("onto the root") << 1 << -1 << false << int(DropCursor::kAllowed) << int(kNoModel) << "<NULL>" << 2
                                   << QStringList{"無題", " Parent", " Child", "  Leaf", " Other"};
    QTest::newRow("Ctrl keeps the hierarchy") << 1 << -1 << true << int(DropCursor::kAllowedWithCtrl) << 0 << "Parent" << 2
                                              << unchanged;
    QTest::newRow("onto another model") << 2 << 3 << false << int(DropCursor::kAllowed) << 3 << "Leaf" << 2
                                        << QStringList{"無題", " Parent", "  Child", "   Leaf", "    Other"};
  }
  void dragsFollowTheDropRules() {
    QFETCH(int, dragged);
    QFETCH(int, target);
    QFETCH(bool, ctrl);
    QFETCH(int, cursor);
    QFETCH(int, parent);
    QFETCH(QString, parentName);
    QFETCH(int, undoEntries);
    QFETCH(QStringList, labels);
    Fixture f;
    QTreeWidgetItem* to = target < 0 ? f.tree->topLevelItem(0) : f.ItemOf(target);
    const DropCursor shown = f.Drag(f.ItemOf(dragged), to, ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(int(shown), cursor);
    QVERIFY(!f.tree->IsDragging());
    QCOMPARE(f.tree->viewport()->cursor().shape(), Qt::ArrowCursor);
    const CModel& model = f.doc.scene().m_models[dragged];
    QCOMPARE(model.m_parent, parent);
    QCOMPARE(QString::fromStdString(model.m_parentName), parentName);
    QCOMPARE(int(f.doc.scene().m_undoStack.size()), undoEntries);
    QCOMPARE(f.doc.IsModified(), undoEntries > 0);
    QCOMPARE(f.Labels(), labels);
  }

  void theContextMenuDeletesRenamesAndHides() {
    Fixture f;
    // Delete the parent: its child becomes top level, the grandchild stays below the child.
    QTest::mousePress(f.tree->viewport(), Qt::RightButton, {}, f.PointOf(f.ItemOf(0)));
    QTRY_VERIFY(f.tree->ContextMenu()->isVisible());
    QCOMPARE(f.doc.scene().m_selectedModel, 0);
    f.tree->ContextMenu()->actions()[0]->trigger();
    f.tree->ContextMenu()->hide();
    QCOMPARE(f.Labels(), (QStringList{"無題", " Child", "  Leaf", " Other"}));
    QCOMPARE(QString::fromStdString(f.doc.scene().m_models[0].m_parentName), QString("<NULL>"));

    // Rename only after the command: a clash in other letter case is refused with the message.
    QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, f.PointOf(f.ItemOf(2)));  // Leaf
    QTest::mouseDClick(f.tree->viewport(), Qt::LeftButton, {}, f.PointOf(f.ItemOf(2)));
    QVERIFY(!f.tree->findChild<QLineEdit*>());  // no editor without the command
    f.doc.SetModifiedFlag(false);
    QTest::keyClick(f.tree, Qt::Key_Z, Qt::AltModifier);
    auto* editor = f.tree->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    editor->setText("oTHER");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(f.ui.messages, (std::vector<std::string>{kSameNameMessage}));
    QCOMPARE(f.ItemOf(2)->text(0), QString("Leaf"));
    QVERIFY(!f.doc.IsModified());
    QTest::keyClick(f.tree, Qt::Key_Z, Qt::AltModifier);
    editor = f.tree->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText("ロゴ");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(f.ItemOf(2)->text(0), QString("ロゴ"));
    QCOMPARE(f.doc.scene().m_models[2].m_name, Utf8ToCp932("ロゴ"));
    QVERIFY(f.doc.IsModified());

    // Hide with Alt+M; the hidden images survive a rebuild; Alt+M shows it again.
    QTest::keyClick(f.tree, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(f.doc.scene().m_models[2].m_visible, 0);
    QCOMPARE(f.doc.scene().m_selectedModel, kNoModel);
    f.doc.UpdateAllViews(qv::Change::kUndo);
    QCOMPARE(f.ItemOf(2)->data(0, Qt::UserRole + 1).toInt(), 4);
    f.tree->setCurrentItem(f.ItemOf(2));
    QTest::keyClick(f.tree, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(f.doc.scene().m_models[2].m_visible, 1);
    QCOMPARE(f.doc.scene().m_selectedModel, 2);
    QCOMPARE(f.ItemOf(2)->data(0, Qt::UserRole + 1).toInt(), 2);

    // Alt+Delete deletes the selected model.
    QTest::keyClick(f.tree, Qt::Key_Delete, Qt::AltModifier);
    QCOMPARE(f.Labels(), (QStringList{"無題", " Child", " Other"}));
  }

  void textModelsMadeByTheDocumentAppear() {
    Fixture f;
    QVERIFY(testing::AddText(f.doc, "Q"));
    QCOMPARE(f.Labels().size(), 6);
    QCOMPARE(f.Labels().last(), " " + QString::fromStdString(Cp932ToUtf8(f.doc.scene().m_models.back().m_name)));
  }
};

QV_DESKTOP_TEST_MAIN(ModelTreePaneTest)
#include "model_tree_pane_test.moc"
