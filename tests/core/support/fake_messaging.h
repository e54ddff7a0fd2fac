// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted messaging service that records every call, and prompts that answer as told.
#pragma once

#include "actions/action_prompts.h"
#include "actions/simple_messaging.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillary::test {

class FakeMessaging final : public SimpleMessaging
{
public:
    struct Resolution
    {
        int result = mapi::SuccessSuccess;       // without the dialog
        int dialogResult = mapi::SuccessSuccess; // with the dialog, after 14 or 21
        std::string resolvedName;
    };

    int Logon(const std::string& profile, const std::string& password, unsigned flags, mapi::Session& session) override
    {
        calls.push_back("logon " + profile + "/" + password + "/" + std::to_string(flags));
        const int result = logonResults.empty() ? mapi::SuccessSuccess : logonResults.front();
        if (!logonResults.empty())
            logonResults.pop_front();
        session = result == mapi::SuccessSuccess ? ++lastSession : mapi::NoSession;
        return result;
    }
    int ResolveName(mapi::Session session, const std::string& name, unsigned flags,
                    const mapi::Recipient*& resolved) override
    {
        calls.push_back("resolve " + std::to_string(session) + " " + name + "/" + std::to_string(flags));
        const auto it = resolutions.find(name);
        const Resolution how = it == resolutions.end() ? Resolution{0, 0, name} : it->second;
        const int result = flags & mapi::Dialog ? how.dialogResult : how.result;
        if (result != mapi::SuccessSuccess)
            return result;
        buffers.push_back(std::make_unique<mapi::Recipient>(mapi::Recipient{mapi::To, how.resolvedName, {}}));
        resolved = buffers.back().get();
        return result;
    }
    int SendMail(mapi::Session session, const mapi::Message& message, unsigned flags) override
    {
        calls.push_back("send " + std::to_string(session) + "/" + std::to_string(flags));
        sent.push_back(message);
        return sendResult;
    }
    int FreeBuffer(const mapi::Recipient* buffer) override
    {
        calls.push_back("free " + buffer->name);
        std::erase_if(buffers, [&](const auto& held) { return held.get() == buffer; });
        return mapi::SuccessSuccess;
    }
    int Logoff(mapi::Session session) override
    {
        calls.push_back("logoff " + std::to_string(session));
        return mapi::SuccessSuccess;
    }
    std::optional<std::string> DefaultProfile() const override { return defaultProfile; }

    std::vector<std::string> calls;
    std::vector<mapi::Message> sent;
    std::deque<int> logonResults;
    std::map<std::string, Resolution> resolutions;
    std::vector<std::unique_ptr<mapi::Recipient>> buffers; // handed out and not yet given back
    int sendResult = mapi::SuccessSuccess;
    std::optional<std::string> defaultProfile;
    mapi::Session lastSession = 40;
};

class ScriptedPrompts final : public ActionPrompts
{
public:
    bool Confirm(const std::string& text) override
    {
        questions.push_back(text);
        return answerYes;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }

    bool answerYes = false;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
};

} // namespace quillary::test
