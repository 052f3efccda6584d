#pragma once
// The three frame dialogs: key frames of models, insert frames, delete frames. They only show
// and return numbers; the document presets them and does the work on OK.
#include <QDialog>
#include <cstdint>
#include <utility>

#include "scene/user_interaction.h"

class QButtonGroup;
class QLineEdit;

namespace qv::ui {

// "ﾓﾃﾞﾙのｷｰﾌﾚｰﾑの追加・削除": a frame ("frame") and one of four actions (radio buttons
// "addSelected", "addAll", "deleteSelected", "deleteAll").
class KeyFrameDialog : public QDialog {
  Q_OBJECT
 public:
  explicit KeyFrameDialog(const KeyFrameChoice& preset, QWidget* parent = nullptr);
  // After OK; the action is -1 when no button is checked.
  const KeyFrameChoice& choice() const { return choice_; }
  QLineEdit* frameEdit() const { return frame_; }
  QButtonGroup* actions() const { return actions_; }
 public slots:
  void accept() override;
 private:
  QLineEdit* frame_;
  QButtonGroup* actions_;
  KeyFrameChoice choice_;
};

// "ﾌﾚｰﾑの挿入": the frame after which to insert ("afterFrame") and how many ("count").
class InsertFramesDialog : public QDialog {
  Q_OBJECT
 public:
  InsertFramesDialog(int32_t afterFrame, int32_t count, QWidget* parent = nullptr);
  std::pair<int32_t, int32_t> values() const { return values_; }  // (after frame, count) after OK
  QLineEdit* afterFrameEdit() const { return afterFrame_; }
  QLineEdit* countEdit() const { return count_; }
 public slots:
  void accept() override;
 private:
  QLineEdit* afterFrame_;
  QLineEdit* count_;
  std::pair<int32_t, int32_t> values_;
};

// "ﾌﾚｰﾑの削除": the first ("first") and last ("last") frame to delete.
class DeleteFramesDialog : public QDialog {
  Q_OBJECT
 public:
  DeleteFramesDialog(int32_t first, int32_t last, QWidget* parent = nullptr);
  std::pair<int32_t, int32_t> values() const { return values_; }  // (first, last) after OK
  QLineEdit* firstEdit() const { return first_; }
  QLineEdit* lastEdit() const { return last_; }
 public slots:
  void accept() override;
 private:
  QLineEdit* first_;
  QLineEdit* last_;
  std::pair<int32_t, int32_t> values_;
};

}  // namespace qv::ui
