// korimbo-timed: the window program with the timing report that bench/gui_startup.sh reads. Not
// shipped; the program itself reports nothing.
#include "timing_report.h"
#include "ui/qt/window_program.h"

int main(int argc, char **argv)
{
    return korimbo::RunWindowProgram(argc, argv, &korimbo::InstallTimingReport);
}
