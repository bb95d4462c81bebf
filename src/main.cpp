/*
 * ruvok converts one length between inches and millimetres per run.  It
 * clears the terminal, shows a menu of the two directions and reads the
 * choice from standard input, folds the menu away, then reads a length and
 * redraws the screen with that length and its conversion.  The factors and
 * the products are single-precision floats, written with six significant
 * digits.
 *
 * The exit status is 0 after a conversion, and 1 when the choice or the
 * length could not be used or standard output could not be written.
 */
#include "ruvok.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

std::int32_t choice;

namespace {

bool output_failed;
int output_errno;

/*
 * Output that never arrived is no success, so a failed write decides the
 * exit status whatever the run did.
 */
int finish(int status)
{
	flush_output();
	if (output_failed) {
		std::cerr << "ruvok: write error: "
		          << std::strerror(output_errno) << '\n';
		return EXIT_FAILURE;
	}
	return status;
}

/*
 * The prompt and the typed length give way to the status line.  A length
 * that could not be read is not converted: a missing or unreadable one
 * would otherwise show as 0, and one beyond single precision as the largest
 * float, neither of which the user typed.
 */
bool redraw()
{
	const bool length_read = !std::cin.fail();

	clear_screen();
	splash();
	converting();
	if (!length_read)
		std::cout << "\t**** Invalid length ****\n";
	return length_read;
}

} // namespace

/*
 * A failed write shows up as the buffer goes out.  The reads that follow
 * can change errno (a directory as input, a length out of range), so the
 * cause of the first failure is kept as soon as it is seen.  Every read is
 * preceded by this flush.
 */
void flush_output()
{
	std::cout.flush();
	if (!output_failed && (std::cout.bad() || std::ferror(stdout))) {
		output_failed = true;
		output_errno = errno;
	}
}

int main()
{
	conversion_millimeters_per_inch();
	conversion_inches_per_millimeter();

	clear_screen();
	splash();
	std::cout << choices_arr[1] << choices_arr[2] << choices_arr[3];
	flush_output();
	std::cin >> choice;

	collapse_choice();

	switch (choice) {
	case 1:
		get_inches();
		if (!redraw())
			return finish(EXIT_FAILURE);
		collapse_inches();
		find_millimeters();
		break;
	case 2:
		get_millimeters();
		if (!redraw())
			return finish(EXIT_FAILURE);
		collapse_millimeters();
		find_inches();
		break;
	default:
		std::cout << "\t**** Invalid operation ****\n";
		return finish(EXIT_FAILURE);
	}
	return finish(EXIT_SUCCESS);
}
