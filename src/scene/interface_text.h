#pragma once
// Marks a text that a person reads in the desktop program (a menu item, a prompt, a message).
// The core keeps the Japanese text as it is; the desktop program looks it up under `context` in
// its translations, and the translation tools collect it from this mark (lupdate reads it as
// QT_TRANSLATE_NOOP).
#define QV_TRANSLATE_NOOP(context, text) text
