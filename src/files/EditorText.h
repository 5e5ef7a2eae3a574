#pragma once

// Marks a text of the core that the editor shows translated, for the translation tools, which
// read the format classes with the editor's sources; the core itself keeps the English text.
// The same definition as Qt's, so that a file that includes both is fine.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
