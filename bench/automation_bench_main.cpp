// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-automation-bench [PERSONS]: how long an automation client takes to walk a generated
// address book (100,000 persons by default) item by item, reading each item's title, and to
// find the last item by its identifier.
#include "data_generator.h"
#include "stopwatch.h"

#include "automation/automation_host.h"
#include "automation/zelk_app.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <chrono>
#include <iomanip>
#include <iostream>
#include <sstream>

using namespace quillary;
using namespace quillary::bench;

namespace {
// A desktop with nothing selected, as when a script runs against a hidden window.
class NoDesktop final : public AutomationHost
{
public:
    ActivePane GetActivePane() const override { return ActivePane::Other; }
    TreeNode* SelectedNode() const override { return nullptr; }
    std::vector<TKPXObject*> SelectedRows() const override { return {}; }
    bool FindTitle(std::string_view) override { return false; }
    void SetClipboardText(const std::string&) override {}
};

} // namespace

int main(int argc, char** argv)
{
    try {
        const int persons = argc > 1 ? std::stoi(argv[1]) : 100000;
        ItemTree tree;
        std::istringstream in(bench::GenerateDataText(persons));
        LoadDataStream(in, tree.Root());
        NoDesktop desktop;
        TZelkApp cursor(tree, desktop);
        std::size_t titles = 0;
        const std::int32_t count = cursor.ItemCount();
        const double walk = Seconds([&] {
            for (std::int32_t i = 0; i < count; ++i)
                if (cursor.Items(i))
                    titles += cursor.zelkTitle().size();
        });
        const std::int32_t lastId = tree.NodeAt(count - 1)->Data()->GetID();
        bool found = false;
        const double byId = Seconds([&] { found = cursor.ItemWithId(lastId); });
        std::cout << std::fixed << std::setprecision(3) << "| " << persons << " persons, " << count
                  << " nodes | Items(0 .. ItemCount - 1) with zelkTitle: " << walk
                  << " s | ItemWithId of the last node: " << byId << " s" << (found ? "" : " (not found)") << " |\n";
        return titles > 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "quillary-automation-bench: " << error.what() << "\n";
        return 1;
    }
}
