#include "ui/command_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <string>

#include "document/command_table.h"
#include "ui/interface_translation.h"

namespace qv::ui {

void SetCommandTips(QAction* item, CommandId command) {
  if (const std::string_view prompt = StatusPrompt(command); !prompt.empty()) item->setStatusTip(TranslatedText("Commands", prompt));
  if (const std::string_view name = CommandName(command); !name.empty()) item->setToolTip(TranslatedText("Commands", name));
}

QKeySequence AcceleratorKey(const Accelerator& accelerator) {
  return QKeySequence::fromString(QString::fromLatin1(accelerator.key), QKeySequence::PortableText);
}

}  // namespace qv::ui
