#include "ui/command_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <string>

#include "document/command_table.h"

namespace qv::ui {

namespace {
QString PromptText(std::string_view text) {
  return QCoreApplication::translate("CommandPrompts", std::string(text).c_str());
}
}  // namespace

void SetCommandTips(QAction* item, CommandId command) {
  if (const std::string_view prompt = StatusPrompt(command); !prompt.empty()) item->setStatusTip(PromptText(prompt));
  if (const std::string_view name = CommandName(command); !name.empty()) item->setToolTip(PromptText(name));
}

QKeySequence AcceleratorKey(const Accelerator& accelerator) {
  return QKeySequence::fromString(QString::fromLatin1(accelerator.key), QKeySequence::PortableText);
}

}  // namespace qv::ui
