// Program-wide language and the lookup into the two-language text table.
#pragma once

#include <QString>

// 1 = German, 2 = English. Every lookup reads it.
extern int CurrentLanguage;

// Text number k (100..147) in the current language: entry (CurrentLanguage - 1) * 1000 + k.
// An entry that does not exist gives an empty text.
QString LoadText(int k);
