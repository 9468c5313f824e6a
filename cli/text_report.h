#pragma once

#include <string>

#include "core/toolbox/report.h"

// A report as text for a terminal: headlines, tables in aligned columns (names on the
// left, numbers right-aligned), then the notes. The dialog's own texts print as they are.
namespace quorran::cli {

// What goes to standard output; the notes on how entries were read are left out.
std::string report_text(const Report& report);

}  // namespace quorran::cli
