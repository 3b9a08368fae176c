#pragma once

namespace tavo {

// The description of the run and the machine at the head of every log file, written by the
// program start in three pieces, and its end line written by the end routine. The lines
// themselves come with the machine description; until then the pieces write nothing.
void WriteStartupReportOpening();
void WriteStartupReportDateFormat();
void WriteStartupReportClosing();
void WriteStartupReportEnd();

}  // namespace tavo
