#include "settings_record.h"

#include "sequential_fields.h"

namespace toolkit {

std::string SettingsRecord(Language language) { return rt::FormatRecord({TextsIn(language).title, TextsIn(language).note}); }

}  // namespace toolkit
