/*
 * The floor for ruvok's costs: a program that holds three times for
 * 20 ms, as the menu collapse does, and writes one line through iostreams.
 */
#include <unistd.h>

#include <iostream>

int main()
{
	/* The same call as ruvok's, so that only the work around it differs. */
	for (int i = 0; i < 3; i++)
		// cppcheck-suppress usleepCalled
		usleep(20000);
	std::cout << "---- ---- ---- ----\n";
	return 0;
}
