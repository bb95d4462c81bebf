/*
 * ruvok in a real terminal: an 80x24 tmux pane that a test types into and
 * reads back, as a person at the keyboard would.  Every wait polls the pane
 * up to a deadline and shows the last screen when it runs out.
 */
#include "screens.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

using namespace screens;

namespace {

constexpr int rows_on_screen = 24;
constexpr auto poll_every = std::chrono::milliseconds(50);
constexpr auto deadline = std::chrono::seconds(20);

std::string quote(const std::string &s)
{
	std::string q = "'";
	for (const char c : s)
		q += c == '\'' ? std::string("'\\''") : std::string(1, c);
	return q + "'";
}

/* Runs a shell command and returns what it printed. */
std::string shell(const std::string &command)
{
	std::string out;
	/* tmux is driven through the shell on purpose. */
	// NOLINTNEXTLINE(cert-env33-c)
	FILE *p = popen(command.c_str(), "r");
	if (p == nullptr)
		return out;
	char buf[4096];
	std::size_t n;
	while ((n = fread(buf, 1, sizeof buf, p)) > 0)
		out.append(buf, n);
	pclose(p);
	return out;
}

std::string slurp(const std::string &path)
{
	std::ifstream in(path, std::ios::binary);
	std::ostringstream s;
	s << in.rdbuf();
	return s.str();
}

int number(const std::string &text)
{
	return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

/* A tmux server of its own, with one pane running ruvok. */
class Pane {
      public:
	/*
	 * The pane is filled past its height before ruvok starts, so that
	 * there is scroll-back for ruvok to erase.  ruvok's exit status
	 * lands in a file, and the pane stays open to be read.  A traced
	 * pane runs ruvok under strace, with the trace in a file beside it.
	 */
	explicit Pane(bool traced = false)
	{
		char dir[] = "/tmp/ruvok-tty-XXXXXX";
		if (mkdtemp(dir) == nullptr)
			throw std::system_error(
			    errno, std::generic_category(), "mkdtemp");
		dir_ = dir;
		static int panes;
		server_ = "ruvok-test-" + std::to_string(getpid()) + "-" +
		    std::to_string(++panes);
		/* LeakSanitizer cannot run under ptrace. */
		const std::string strace =
		    "ASAN_OPTIONS=detect_leaks=0 strace -o " +
		    quote(dir_ + "/trace") +
		    " -xx -s 65536 -T -e "
		    "trace=write,nanosleep,clock_nanosleep ";
		const std::string command = "seq 40; " +
		    (traced ? strace : std::string()) + quote(RUVOK) +
		    "; echo $? >" + quote(dir_ + "/status") +
		    "; exec sleep 3600";
		shell(tmux() + " -f /dev/null new-session -d -x 80 -y " +
		    std::to_string(rows_on_screen) + " " + quote(command));
	}

	~Pane()
	{
		shell(tmux() + " kill-server 2>/dev/null");
		shell("rm -rf " + quote(dir_));
	}

	Pane(const Pane &) = delete;
	Pane &operator=(const Pane &) = delete;

	void keys(const std::vector<std::string> &keys) const
	{
		std::string command = tmux() + " send-keys";
		for (const std::string &k : keys)
			command += " " + quote(k);
		shell(command);
	}

	std::string screen() const
	{
		return shell(tmux() + " capture-pane -p");
	}

	int history() const
	{
		return number(
		    shell(tmux() + " display-message -p '#{history_size}'"));
	}

	bool finished() const { return !slurp(dir_ + "/status").empty(); }

	int status() const { return number(slurp(dir_ + "/status")); }

	std::string trace() const { return slurp(dir_ + "/trace"); }

	/* Polls until ready() holds; false, with the last screen, if never. */
	bool wait_for(
	    const std::function<bool()> &ready, const std::string &what) const
	{
		const auto end = std::chrono::steady_clock::now() + deadline;
		while (!ready()) {
			if (std::chrono::steady_clock::now() > end) {
				ADD_FAILURE() << "gave up waiting for " << what
				              << "; the screen was:\n"
				              << screen();
				return false;
			}
			std::this_thread::sleep_for(poll_every);
		}
		return true;
	}

	bool wait_for_text(const std::string &text) const
	{
		return wait_for(
		    [&] { return screen().find(text) != std::string::npos; },
		    "\"" + text + "\"");
	}

      private:
	std::string tmux() const { return "tmux -L " + quote(server_); }

	std::string server_;
	std::string dir_;
};

/* Bytes as the terminal lays them out: tabs reach the next stop of eight. */
std::string as_shown(const std::string &bytes)
{
	std::string shown;
	std::size_t column = 0;
	int lines = 0;
	for (const char c : bytes) {
		if (c == '\t') {
			do
				shown += ' ';
			while (++column % 8 != 0);
		} else if (c == '\n') {
			shown += c;
			column = 0;
			lines++;
		} else {
			shown += c;
			column++;
		}
	}
	for (; lines < rows_on_screen; lines++)
		shown += '\n';
	return shown;
}

struct Step {
	std::string wait_for;
	std::vector<std::string> keys;
};

struct Row {
	const char *name;
	std::vector<Step> steps;
	std::string screen; /* what stays on the whole pane afterwards */
	int status;
};

void PrintTo(const Row &row, std::ostream *os)
{
	*os << row.name;
}

/* Types each step once its text is on the screen, then waits for the exit. */
bool play(const Pane &pane, const std::vector<Step> &steps)
{
	for (const Step &step : steps) {
		if (!pane.wait_for_text(step.wait_for))
			return false;
		pane.keys(step.keys);
	}
	return pane.wait_for([&] { return pane.finished(); }, "ruvok to exit");
}

const Step choose_1 = {"Choose 1 or 2:", {"1", "Enter"}};
const std::vector<Step> inches_3 = {
    choose_1, {"Enter inches:", {"3", "Enter"}}};

const std::vector<Row> rows = {
    {"inches_3", inches_3,
        banner + status(to_mm.label) + "inches:\t3\n" + rule +
            "millimeters:\t76.2\n" + rule,
        0},
    {"millimeters_25_4",
        {{"Choose 1 or 2:", {"2", "Enter"}},
            {"Enter millimeters:", {"25.4", "Enter"}}},
        banner + status(to_in.label) + "millimeters:\t25.4\n" + rule +
            "inches:\t1\n" + rule,
        0},
    {"choice_0", {{"Choose 1 or 2:", {"0", "Enter"}}},
        banner + status(error_label) + invalid_operation, 1},
    {"end_at_choice", {{"Choose 1 or 2:", {"C-d"}}},
        banner + status(error_label) + invalid_operation, 1},
    {"end_at_length", {choose_1, {"Enter inches:", {"C-d"}}},
        banner + status(to_mm.label) + invalid_length, 1},
};

class Terminal : public testing::TestWithParam<Row> {};

TEST_P(Terminal, Row)
{
	const Row &row = GetParam();
	const Pane pane;
	if (!play(pane, row.steps))
		return;

	/* tmux may still be reading the last of the output. */
	const std::string want = as_shown(row.screen);
	(void)pane.wait_for([&] { return pane.screen() == want; },
	    "the final screen:\n" + want);
	EXPECT_EQ(pane.status(), row.status);
	EXPECT_EQ(pane.history(), 0) << "the scroll-back was not erased";
}

INSTANTIATE_TEST_SUITE_P(Ruvok, Terminal, testing::ValuesIn(rows),
    [](const testing::TestParamInfo<Row> &param) {
	    return std::string(param.param.name);
    });

/*
 * What a traced run wrote to the terminal between one hold and the next,
 * read from strace's -xx -T lines for write, nanosleep and clock_nanosleep.
 */
struct Timeline {
	std::vector<std::string> between{1};
	std::vector<std::string> requested; /* what each hold asked for */
	double held = 0;                    /* seconds, all holds together */
};

std::string unhex(const std::string &escaped)
{
	std::string bytes;
	for (std::size_t i = 0; i + 4 <= escaped.size(); i += 4)
		bytes += static_cast<char>(
		    std::stoi(escaped.substr(i + 2, 2), nullptr, 16));
	return bytes;
}

Timeline timeline(const std::string &trace)
{
	Timeline t;
	std::istringstream lines(trace);
	std::string line;
	while (std::getline(lines, line)) {
		const std::size_t open = line.find('"');
		if (line.rfind("write(1, ", 0) == 0 &&
		    open != std::string::npos) {
			const std::size_t close = line.find('"', open + 1);
			t.between.back() +=
			    unhex(line.substr(open + 1, close - open - 1));
		} else if (line.find("nanosleep(") != std::string::npos) {
			const std::size_t from = line.find('{');
			t.requested.push_back(
			    line.substr(from, line.find('}') - from + 1));
			t.held += std::stod(line.substr(line.rfind('<') + 1));
			t.between.emplace_back();
		}
	}
	return t;
}

/* Runs 1 then 3 in a traced pane and returns the trace. */
std::string traced_run()
{
	const Pane pane(true);
	if (!play(pane, inches_3))
		return "";
	EXPECT_EQ(pane.status(), 0);
	return pane.trace();
}

/*
 * On a terminal each frame of the collapse must be on the screen before
 * its hold begins, which only line buffering with a newline at the end of
 * every frame gives.  The trace shows what reached the terminal and when.
 */
TEST(Collapse, EachFrameIsShownBeforeItsHold)
{
	if (shell("command -v strace").empty())
		GTEST_SKIP() << "strace is not installed";

	const std::string trace = traced_run();
	const Timeline t = timeline(trace);
	const std::string hold = "{tv_sec=0, tv_nsec=20000000}";
	ASSERT_EQ(t.requested, std::vector<std::string>(3, hold))
	    << "expected three holds of 20 ms in:\n"
	    << trace;
	EXPECT_EQ(t.between[0], menu() + frame(to_mm.label, 3));
	EXPECT_EQ(t.between[1], frame(to_mm.label, 2));
	EXPECT_EQ(t.between[2], frame(to_mm.label, 1));
	EXPECT_EQ(t.between[3].rfind(frame(to_mm.label, 0), 0), 0U)
	    << "the last frame must follow the third hold at once";
	EXPECT_GE(t.held, 0.060) << "the collapse holds for at least 60 ms";
}

} // namespace
