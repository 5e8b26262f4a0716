#include "StandIn/EventReceiver.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

namespace {

using namespace std::chrono_literals;

TEST(EventReceiver, KeepsEveryEnvelopeWithItsItems) {
    StandIn::EventReceiver receiver;
    ASSERT_EQ(receiver.Address().rfind("127.0.0.1:", 0), 0u);
    httplib::Client client("http://" + receiver.Address());
    const std::string body = "{\"event_id\":\"1\"}\n"
                             "{\"type\":\"event\",\"length\":8}\n{\"a\":\n1}\n"
                             "{\"type\":\"session\"}\n{\"status\":\"ok\"}\n"
                             "{\"type\":\"event\"}\n{\"second\":true}";
    httplib::Headers headers = {{"X-Sentry-Auth", "Sentry sentry_key=abc"}};
    auto response = client.Post("/api/42/envelope/", headers, body, "application/x-sentry-envelope");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_TRUE(receiver.WaitForEvents(2, 1s));

    const auto envelopes = receiver.Envelopes();
    ASSERT_EQ(envelopes.size(), 1u);
    EXPECT_EQ(envelopes[0].path, "/api/42/envelope/");
    EXPECT_EQ(envelopes[0].authorization, "Sentry sentry_key=abc");
    EXPECT_EQ(envelopes[0].header, "{\"event_id\":\"1\"}");
    ASSERT_EQ(envelopes[0].items.size(), 3u);
    EXPECT_EQ(envelopes[0].items[1].type, "session");
    EXPECT_EQ(receiver.Events(), (std::vector<std::string>{"{\"a\":\n1}", "{\"second\":true}"}))
        << "a payload with its length may hold newlines";
    EXPECT_FALSE(receiver.WaitForEvents(3, 10ms));

    auto other = client.Post("/api/42/store/", "{}", "application/json");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->status, 404) << "only envelopes are taken";
}

} // namespace
