#ifndef RUVOK_TEST_RUNNER_H
#define RUVOK_TEST_RUNNER_H

#include <string>

/* What ruvok finds on standard input. */
enum class In { bytes, closed, directory };

/* Where ruvok's standard output goes. */
enum class Out { captured, full, closed };

struct Result {
	std::string out;
	std::string err;
	int status; /* the exit status, or 128 plus the signal that ended it */
};

/* Runs the built ruvok once as a separate process, with no arguments. */
Result run_ruvok(
    const std::string &input, In in = In::bytes, Out out = Out::captured);

#endif
