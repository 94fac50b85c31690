// Marks a text the window shows in the user's language. The core is written in
// Italian and knows no translation: SV_TR(context, text) is the text itself.
// lupdate reads the marks (as QT_TRANSLATE_NOOP, context "sonvale") and the Qt
// layer translates the text when it shows it.
#pragma once

#define SV_TR(context, text) text
