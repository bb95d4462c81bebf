#include "runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

[[noreturn]] void fail(const char *what)
{
	throw std::system_error(errno, std::generic_category(), what);
}

/*
 * Keeps the test's own descriptors clear of 0 to 2, which may be free when
 * the test itself runs without standard input, and out of the child.
 */
int high(int fd)
{
	if (fd < 0)
		fail("open");
	const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
	if (moved < 0)
		fail("fcntl");
	close(fd);
	return moved;
}

/* An unlinked temporary file, so that nothing is left behind. */
int scratch_file()
{
	const char *dir = std::getenv("TMPDIR");
	std::string path =
	    std::string(dir != nullptr ? dir : "/tmp") + "/ruvok-test-XXXXXX";
	const int fd = high(mkstemp(path.data()));
	unlink(path.c_str());
	return fd;
}

void write_all(int fd, const std::string &bytes)
{
	const char *p = bytes.data();
	std::size_t left = bytes.size();
	while (left > 0) {
		const ssize_t n = write(fd, p, left);
		if (n < 0) {
			if (errno == EINTR)
				continue;
			fail("write");
		}
		p += n;
		left -= static_cast<std::size_t>(n);
	}
}

std::string read_all(int fd)
{
	std::string bytes;
	char buf[65536];
	if (lseek(fd, 0, SEEK_SET) < 0)
		fail("lseek");
	for (;;) {
		const ssize_t n = read(fd, buf, sizeof buf);
		if (n < 0) {
			if (errno == EINTR)
				continue;
			fail("read");
		}
		if (n == 0)
			return bytes;
		bytes.append(buf, static_cast<std::size_t>(n));
	}
}

/* In the child: put fd on target, or close target when fd is negative. */
void place(int fd, int target)
{
	if (fd < 0)
		close(target);
	else if (dup2(fd, target) < 0)
		_exit(126);
}

} // namespace

Result run_ruvok(const std::string &input, In in, Out out)
{
	int in_fd = -1;
	if (in == In::bytes) {
		in_fd = scratch_file();
		write_all(in_fd, input);
		if (lseek(in_fd, 0, SEEK_SET) < 0)
			fail("lseek");
	} else if (in == In::directory) {
		in_fd = high(open("/", O_RDONLY | O_DIRECTORY));
	}

	int out_fd = -1;
	if (out == Out::captured)
		out_fd = scratch_file();
	else if (out == Out::full)
		out_fd = high(open("/dev/full", O_WRONLY));
	const int err_fd = scratch_file();

	const pid_t pid = fork();
	if (pid < 0)
		fail("fork");
	if (pid == 0) {
		place(in_fd, 0);
		place(out_fd, 1);
		place(err_fd, 2);
		execl(RUVOK, "ruvok", static_cast<char *>(nullptr));
		_exit(127);
	}

	int wstatus = 0;
	while (waitpid(pid, &wstatus, 0) < 0)
		if (errno != EINTR)
			fail("waitpid");

	Result r;
	r.status =
	    WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
	if (out == Out::captured)
		r.out = read_all(out_fd);
	r.err = read_all(err_fd);
	for (const int fd : {in_fd, out_fd, err_fd})
		if (fd >= 0)
			close(fd);
	return r;
}
