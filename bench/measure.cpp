/*
 * Runs a command a number of times with standard input from a file and
 * standard output to /dev/null, and prints one line a run: the wall time
 * and the user plus system CPU time, in microseconds.
 *
 * usage: measure RUNS INPUT COMMAND [ARG ...]
 */
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long long micros(const timeval &t)
{
	return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
}

} // namespace

int main(int argc, char **argv)
{
	if (argc < 4) {
		(void)std::fputs(
		    "usage: measure RUNS INPUT COMMAND [ARG ...]\n", stderr);
		return 2;
	}
	const long runs = std::strtol(argv[1], nullptr, 10);
	for (long i = 0; i < runs; i++) {
		const auto start = std::chrono::steady_clock::now();
		const pid_t pid = fork();
		if (pid < 0) {
			std::perror("measure: fork");
			return 1;
		}
		if (pid == 0) {
			const int in = open(argv[2], O_RDONLY);
			const int out = open("/dev/null", O_WRONLY);
			if (in < 0 || out < 0 || dup2(in, 0) < 0 ||
			    dup2(out, 1) < 0)
				_exit(126);
			execvp(argv[3], argv + 3);
			_exit(127);
		}
		int status = 0;
		rusage usage{};
		if (wait4(pid, &status, 0, &usage) < 0) {
			std::perror("measure: wait4");
			return 1;
		}
		const auto wall =
		    std::chrono::duration_cast<std::chrono::microseconds>(
		        std::chrono::steady_clock::now() - start);
		if (!WIFEXITED(status) || WEXITSTATUS(status) >= 126) {
			(void)std::fprintf(
			    stderr, "measure: %s failed\n", argv[3]);
			return 1;
		}
		std::printf("%lld %lld\n", static_cast<long long>(wall.count()),
		    micros(usage.ru_utime) + micros(usage.ru_stime));
	}
	return 0;
}
