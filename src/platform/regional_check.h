// The number-format check made at start-up: the program writes "." decimals in
// every file and groups thousands with ",", whatever the user's regional settings.
#pragma once

namespace sonvale {

// Makes the process use the "C" numeric conventions, for the C library and for
// the C++ global locale, so that no library the program calls can turn "." into
// "," behind the number-text helpers.
void ForceCNumericLocale();

// True when the formatting the program really uses gives "," for thousands and
// "." for decimals: the digit patterns of the number-text helpers, and the
// numeric conventions of the C library and of the global C++ locale.
bool RegionalFormatOK();

}  // namespace sonvale
