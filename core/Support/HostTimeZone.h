#pragma once
#include <unicode/timezone.h>

#include <memory>

// The machine's time zone as ICU sees it, looked up afresh on every call so that a change of
// zone shows at once.
namespace quillane::HostTimeZone {

// ICU's host detection fills unguarded static buffers, so every lookup in the program goes
// through here, one at a time. Never null (ICU answers "Etc/Unknown" when detection fails).
std::unique_ptr<icu::TimeZone> current();

}  // namespace quillane::HostTimeZone
