// The window program "korimbo": starts the window and returns its exit status.
#include "ui/qt/window_program.h"

int main(int argc, char **argv)
{
    return korimbo::RunWindowProgram(argc, argv);
}
