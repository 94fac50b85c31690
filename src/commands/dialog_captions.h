// Captions that several dialogs share.
#pragma once

#include "text/translatable.h"

namespace sonvale {

inline const char* const kBrowseCaption = SV_TR("sonvale", "Sfoglia...");
inline const char* const kCancelCaption = SV_TR("sonvale", "Annulla");

}  // namespace sonvale
