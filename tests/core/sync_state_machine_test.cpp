// SPDX-License-Identifier: GPL-3.0-or-later
// The state machine of support/sync_state_machine.h against the fake address book, whose runs can
// also lose any request. QUILLARY_SYNC_STEPS and QUILLARY_SYNC_SEED run more steps or another seed.
#include "support/sync_state_machine.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
class FakeSide final : public machine::SyncServerSide
{
public:
    explicit FakeSide(FakeAddressBook& server) : m_server(server) {}

    DavTransport& Transport() override { return m_server; }
    std::string Url() const override { return FakeAddressBook::Url; }
    std::string Path() const override { return FakeAddressBook::Path; }
    std::string Version() const override { return "4.0"; }
    std::map<std::string, DavResource> Cards() override { return m_server.Cards(); }
    void Write(const std::string& href, const std::string& card) override { m_server.Write(href, card); }
    void Remove(const std::string& href) override { m_server.Remove(href); }
    void BeforeWrite(std::function<void(const std::string& href)> hook) override
    {
        m_server.beforeWrite = std::move(hook);
    }
    void FailRequest(int fromNow) override { m_server.failAt = fromNow == 0 ? 0 : m_server.requests + fromNow; }

private:
    FakeAddressBook& m_server;
};

void RunEpisodes(bool faults)
{
    const std::string problems = machine::RunEpisodes(
        faults, 1600, [](SyncHarness& harness) { return std::make_unique<FakeSide>(harness.server); });
    ASSERT_TRUE(problems.empty()) << problems;
}
} // namespace

TEST(SyncStateMachine, ChangesOnBothSidesAndRacingClientsEndInAgreementWithNothingLost)
{
    RunEpisodes(false);
}

TEST(SyncStateMachine, RunsCutOffKilledOrStoppedAmongThemEndTheSame)
{
    RunEpisodes(true);
}
