#include "cli/run.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <variant>

#include "cli/charset.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/session.h"

namespace korimbo {
namespace {

constexpr int kConverted = 0;
constexpr int kNotConverted = 1;
constexpr int kUsageError = 2;

int UsageError(std::FILE *err, std::string_view problem)
{
    std::fprintf(err, "korimbo-convert: %.*s\nTry 'korimbo-convert --help'.\n", static_cast<int>(problem.size()),
                 problem.data());
    return kUsageError;
}

// Flushes the output after --help or --version; false, after a message, when it could not be
// written whole.
bool FinishOutput(std::FILE *out, std::FILE *err)
{
    const bool flushed = std::fflush(out) == 0;
    const int error = errno;
    if (flushed && !std::ferror(out))
        return true;
    std::fprintf(err, "korimbo-convert: error writing standard output: %s\n", std::strerror(flushed ? EIO : error));
    return false;
}

void ConvertStandardInput(ConvertSession &session, int inputFd)
{
    LineReader reader(inputFd);
    // Whoever feeds the input line by line sees each answer before the program waits again.
    reader.SetBeforeRead([&session] { session.Flush(); });
    std::string line;
    // Once the output has failed, converting more would only be lost.
    for (unsigned long long number = 1; session.writeError() == 0; ++number) {
        const InputName where{"line", number};
        switch (reader.Next(line)) {
        case LineReader::Status::Line:
            session.Convert(line, where);
            break;
        case LineReader::Status::TooLong:
            session.Report(where, "longer than 2147483647 bytes, more than an address can hold");
            break;
        case LineReader::Status::NoMemory:
            session.Report(where, kOutOfMemory);
            break;
        case LineReader::Status::Error:
            session.Report("standard input", std::strerror(reader.error()));
            return;
        case LineReader::Status::End:
            return;
        }
    }
}

} // namespace

int RunConvert(std::span<const std::string> args, const std::string &localeEncoding, int inputFd, std::FILE *out,
               std::FILE *err)
{
    const ParsedCommand command = ParseCommand(args);
    switch (command.action) {
    case ParsedCommand::Action::UsageError:
        return UsageError(err, command.error);
    case ParsedCommand::Action::Help:
        std::fwrite(HelpText().data(), 1, HelpText().size(), out);
        return FinishOutput(out, err) ? kConverted : kNotConverted;
    case ParsedCommand::Action::Version:
        std::fputs(VersionText().c_str(), out);
        return FinishOutput(out, err) ? kConverted : kNotConverted;
    case ParsedCommand::Action::Convert:
        break;
    }

    std::variant<LinkCharsets, std::string> opened = OpenLinkCharsets(localeEncoding, command.options.charset);
    if (const std::string *problem = std::get_if<std::string>(&opened))
        return UsageError(err, *problem);
    LinkCharsets &charsets = std::get<LinkCharsets>(opened);

    ConvertSession session(command.options, charsets, out, err);
    const std::vector<std::string> &addresses = command.options.addresses;
    if (addresses.empty()) {
        ConvertStandardInput(session, inputFd);
    } else {
        for (std::size_t i = 0; i < addresses.size() && session.writeError() == 0; ++i)
            session.Convert(addresses[i], InputName{"argument", i + 1});
    }
    if (!session.Flush()) {
        std::fprintf(err, "korimbo-convert: error writing standard output: %s\n", std::strerror(session.writeError()));
        return kNotConverted;
    }
    return session.allConverted() ? kConverted : kNotConverted;
}

} // namespace korimbo
