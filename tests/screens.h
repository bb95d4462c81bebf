#ifndef RUVOK_TEST_SCREENS_H
#define RUVOK_TEST_SCREENS_H

/*
 * The bytes ruvok should write, put together from its texts.  The tests
 * compare whole runs against these, so a stray or missing byte anywhere in
 * a run shows up as a failure.
 */

#include <string>

namespace screens {

const std::string clear = "\33[H\33[2J\33[3J";
const std::string rule = "---- ---- ---- ----\n";
const std::string banner = rule + "ruvok\n" + rule;
const std::string menu_1 = "1.\tConvert inches to millimeters\n";
const std::string menu_2 = "2.\tConvert millimeters to inches\n";
const std::string menu_prompt = "Choose 1 or 2:\t";
const std::string invalid_operation = "\t**** Invalid operation ****\n";
const std::string invalid_length = "\t**** Invalid length ****\n";

/* The two directions, and the label of a choice that names neither. */
struct Direction {
	std::string label;
	std::string prompt;
	std::string from;
	std::string to;
};
const Direction to_mm = {
    "inches to millimeters\n", "Enter inches: ", "inches:\t", "millimeters:\t"};
const Direction to_in = {"millimeters to inches\n",
    "Enter millimeters: ", "millimeters:\t", "inches:\t"};
const std::string error_label = "Error\n";

inline std::string status(const std::string &label)
{
	return "Converting:\t" + label + rule;
}

inline std::string menu()
{
	return clear + banner + menu_1 + menu_2 + menu_prompt;
}

/* One frame of the collapse, with the first `shown` menu texts. */
inline std::string frame(const std::string &label, int shown)
{
	const std::string lines[] = {menu_1, menu_2, menu_prompt};
	std::string f = clear + banner;
	for (int i = 0; i < shown; i++)
		f += lines[i];
	return f + status(label);
}

/* The four frames: the menu folds from the bottom up under the banner. */
inline std::string collapse(const std::string &label)
{
	std::string frames;
	for (int shown = 3; shown >= 0; shown--)
		frames += frame(label, shown);
	return frames;
}

/* Everything up to the redraw that follows the typed length. */
inline std::string until_redraw(const Direction &d)
{
	return menu() + collapse(d.label) + d.prompt + clear + banner +
	    status(d.label);
}

inline std::string converted(
    const Direction &d, const std::string &length, const std::string &result)
{
	return until_redraw(d) + d.from + length + "\n" + rule + d.to + result +
	    "\n" + rule + "\n";
}

inline std::string length_refused(const Direction &d)
{
	return until_redraw(d) + invalid_length;
}

inline std::string choice_refused(const std::string &label = error_label)
{
	return menu() + collapse(label) + invalid_operation;
}

} // namespace screens

#endif
