#include "ruvok.h"

#include <unistd.h>

#include <iostream>

const char *const choices_arr[4] = {
    "Error\n",
    "1.\tConvert inches to millimeters\n",
    "2.\tConvert millimeters to inches\n",
    "Choose 1 or 2:\t",
};

namespace {

const char *const operation[3] = {
    "Error\n",
    "inches to millimeters\n",
    "millimeters to inches\n",
};

/* Each of the first three frames of the collapse stays up this long. */
constexpr useconds_t frame_hold = 20000;

} // namespace

void clear_screen()
{
	/* Home, erase the display, then erase the scroll-back (xterm). */
	std::cout << "\33[H\33[2J\33[3J";
}

void separator()
{
	std::cout << "---- ---- ---- ----\n";
}

void splash()
{
	separator();
	std::cout << "ruvok\n";
	separator();
}

void converting()
{
	/*
	 * A choice that names no operation, including the limits that an
	 * out-of-range number is read as, is labelled like a failed read.
	 */
	const std::int32_t index = choice == 1 || choice == 2 ? choice : 0;

	std::cout << "Converting:\t" << operation[index];
	separator();
}

/*
 * The menu folds away from the bottom up while the status line stays.  No
 * flush is asked for: every frame ends with a newline, so a line-buffered
 * terminal shows it before the hold.
 */
void collapse_choice()
{
	for (int shown = 3; shown >= 0; shown--) {
		clear_screen();
		splash();
		for (int i = 1; i <= shown; i++)
			std::cout << choices_arr[i];
		converting();
		/* A hold cut short only shortens the animation. */
		if (shown > 0)
			// cppcheck-suppress usleepCalled
			usleep(frame_hold);
	}
}

void collapse_inches()
{
	std::cout << "inches:\t" << inches << "\n";
	separator();
}

void collapse_millimeters()
{
	std::cout << "millimeters:\t" << millimeters << "\n";
	separator();
}
