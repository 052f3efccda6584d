#pragma once
// "動画の設定": the options of a movie asked after its file is chosen, with the meanings and the
// refusals of `qvlogo movie`.
#include <QDialog>
#include <functional>
#include <string>

#include "movie/movie_format.h"

class QCheckBox;
class QLineEdit;

namespace qv::ui {

class MovieOptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens with `preset`; OK is refused with `check`'s message (the dialog stays open) while it
  // gives one.
  MovieOptionsDialog(const MovieSettings& preset, std::function<std::string(const MovieSettings&)> check,
                     QWidget* parent = nullptr);
  const MovieSettings& settings() const { return settings_; }
  void accept() override;

 private:
  MovieSettings settings_;
  std::function<std::string(const MovieSettings&)> check_;
  QLineEdit* width_;
  QLineEdit* height_;
  QLineEdit* firstFrame_;
  QLineEdit* lastFrame_;
  QLineEdit* loops_;
  QLineEdit* supersample_;
  QCheckBox* transparent_;
};

}  // namespace qv::ui
