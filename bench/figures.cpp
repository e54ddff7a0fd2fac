// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <iomanip>
#include <sstream>

namespace quillary::bench {

namespace {
constexpr double MiB = 1024.0 * 1024.0;

double Throughput(std::size_t bytes, double seconds)
{
    return seconds > 0 ? static_cast<double>(bytes) / MiB / seconds : 0;
}
} // namespace

std::string ToLine(const Figures& f)
{
    std::ostringstream line;
    line << std::setprecision(9) << f.persons << ' ' << f.fileBytes << ' ' << f.loadSeconds << ' ' << f.saveSeconds
         << ' ' << f.nodes << ' ' << f.items << ' ' << f.peakKiB << ' ' << f.walkSeconds << ' ' << f.scanSeconds << ' '
         << f.sameText << ' ' << f.untoldSeconds << ' ' << f.untold;
    return line.str();
}

std::optional<Figures> FromLine(const std::string& line)
{
    std::istringstream in(line);
    Figures f;
    in >> f.persons >> f.fileBytes >> f.loadSeconds >> f.saveSeconds >> f.nodes >> f.items >> f.peakKiB >>
        f.walkSeconds >> f.scanSeconds >> f.sameText >> f.untoldSeconds >> f.untold;
    if (!in)
        return std::nullopt;
    return f;
}

void PrintTable(const std::vector<Figures>& rows, std::ostream& out)
{
    out << "| persons | file MiB | load s | load MiB/s | save s | save MiB/s | nodes | items | peak MiB | walk ms "
           "| scan ms | save = file | untold due ms (found) |\n"
        << "|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|:-:|--:|\n";
    for (const Figures& f : rows) {
        out << std::fixed << "| " << f.persons << " | " << std::setprecision(1) << f.fileBytes / MiB << " | "
            << std::setprecision(3) << f.loadSeconds << " | " << std::setprecision(0)
            << Throughput(f.fileBytes, f.loadSeconds) << " | " << std::setprecision(3) << f.saveSeconds << " | "
            << std::setprecision(0) << Throughput(f.fileBytes, f.saveSeconds) << " | " << f.nodes << " | " << f.items
            << " | " << std::setprecision(1) << f.peakKiB / 1024.0 << " | " << std::setprecision(2)
            << f.walkSeconds * 1000 << " | " << f.scanSeconds * 1000 << " | " << (f.sameText ? "yes" : "NO") << " | "
            << f.untoldSeconds * 1000 << " (" << f.untold << ") |\n";
    }
}

} // namespace quillary::bench
