#include "foundation/startup_report.h"

namespace tavo {

// The report's lines need the machine description and the date formats; these calls keep
// their places in the start and end sequence.
void WriteStartupReportOpening() {}
void WriteStartupReportDateFormat() {}
void WriteStartupReportClosing() {}
void WriteStartupReportEnd() {}

}  // namespace tavo
