#include "ruvok.h"

#include <iostream>
#include <limits>

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
    "the factors and results assume IEEE single precision");

float inches;
float millimeters;
float mm_conversion;
float in_conversion;

void conversion_millimeters_per_inch()
{
	mm_conversion = 25.4F;
}

/*
 * The nearest float to 1/25.4 is written out rather than computed from
 * mm_conversion, so that the factor does not depend on how the division
 * happens to be rounded.
 */
constexpr float inches_per_millimeter = 0.0393700787F;
static_assert(inches_per_millimeter == static_cast<float>(1 / 25.4L),
    "inches_per_millimeter must be the float nearest to 1/25.4");

void conversion_inches_per_millimeter()
{
	in_conversion = inches_per_millimeter;
}

void get_inches()
{
	std::cout << "Enter inches: ";
	flush_output();
	std::cin >> inches;
}

void get_millimeters()
{
	std::cout << "Enter millimeters: ";
	flush_output();
	std::cin >> millimeters;
}

/*
 * The result line is flushed as soon as it is complete, so that a script
 * reading a pipe has the answer before the program has finished.
 */
void find_millimeters()
{
	millimeters = mm_conversion * inches;
	std::cout << "millimeters:\t" << millimeters << '\n';
	flush_output();
	separator();
	std::cout << '\n';
}

void find_inches()
{
	inches = in_conversion * millimeters;
	std::cout << "inches:\t" << inches << '\n';
	flush_output();
	separator();
	std::cout << '\n';
}
