#pragma once

// A typed setting below its smallest value: the field's name, the value.
inline constexpr const char* kAtLeastText = "%s は %s 以上にしてください";
