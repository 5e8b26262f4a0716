#include "PageTestSupport.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

using StandIn::PageEngine;
using testing::ElementsAre;

namespace {

GS::Ref<JS::Object> VersionObject() {
    auto version = GS::NewRef<JS::Object>();
    version->AddItem("major", GS::NewRef<JS::Value>(1));
    version->AddItem("minor", GS::NewRef<JS::Value>(0));
    version->AddItem("patch", GS::NewRef<JS::Value>(6));
    version->AddItem("string", GS::NewRef<JS::Value>("1.0.6"));
    return version;
}

GS::Ref<JS::Object> Acapi() {
    return ScriptObject(
        "ACAPI",
        {{"getPluginVersion", [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> { return VersionObject(); }},
         {"failsHost",
          [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> {
              throw GS::IllegalArgumentException("Bad argument.");
          }},
         {"failsStandard",
          [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> { throw std::runtime_error("standard failure"); }},
         {"failsOther", [](GS::Ref<JS::Base>) -> GS::Ref<JS::Base> { throw 42; }}});
}

} // namespace

TEST(PagePromise, ACallResolvesAfterTheCurrentScriptAndAChainedThenRuns) {
    PageEngine page;
    page.RegisterObject(Acapi());
    page.Run("ACAPI.getPluginVersion().then(function (v) { host.report('first ' + v.string); return v.major "
             "+ 1; })"
             ".then(function (n) { host.report('second ' + n); });"
             "host.report('script end');");
    EXPECT_THAT(Reports(page), ElementsAre("script end", "first 1.0.6", "second 2"));
}

TEST(PagePromise, TheResolvedObjectKeepsItsMemberOrder) {
    PageEngine page;
    page.RegisterObject(Acapi());
    page.Run("ACAPI.getPluginVersion().then(function (v) { host.report(JSON.stringify(v)); })");
    EXPECT_THAT(Reports(page), ElementsAre(R"({"major":1,"minor":0,"patch":6,"string":"1.0.6"})"));
}

TEST(PagePromise, WhatTheCallableThrowsRejectsThePromise) {
    PageEngine page;
    page.RegisterObject(Acapi());
    page.Run("function failed(e) { host.report(String(e)); }"
             "ACAPI.failsHost().then(function () { host.report('resolved'); })['catch'](failed);"
             "ACAPI.failsStandard()['catch'](failed);"
             "ACAPI.failsOther()['catch'](failed);");
    // The first rejection passes one more promise (the then without a rejection handler) first.
    EXPECT_THAT(Reports(page),
                ElementsAre("Error: standard failure", "Error: unknown exception", "Error: Bad argument."));
    // The host records each, since the add-on's own commands must never throw into the page.
    EXPECT_THAT(StandIn::TakeEscapedExceptions(),
                ElementsAre("ACAPI.failsHost threw GS::IllegalArgumentException: Bad argument.",
                            "ACAPI.failsStandard threw std::exception: standard failure",
                            "ACAPI.failsOther threw an unknown exception: unknown exception"));
}

TEST(PagePromise, AHandlersErrorGoesToTheRejectionPath) {
    PageEngine page;
    page.Run(
        "Promise.resolve(1).then(function () { throw new Error('in handler'); })"
        ".then(function () { host.report('skipped'); }, function (e) { host.report('caught ' + e.message); })"
        ".then(function (v) { host.report('recovered ' + v); });");
    EXPECT_THAT(Reports(page), ElementsAre("caught in handler", "recovered undefined"));
}

TEST(PagePromise, ARejectionPassesThenWithoutAHandler) {
    PageEngine page;
    page.Run("Promise.reject('no').then(function () { host.report('skipped'); })"
             "['catch'](function (r) { host.report('caught ' + r); return 'again'; })"
             ".then(function (v) { host.report(v); });");
    EXPECT_THAT(Reports(page), ElementsAre("caught no", "again"));
}

TEST(PagePromise, AReturnedThenableIsAdopted) {
    PageEngine page;
    page.Run(
        "var later;"
        "Promise.resolve(1).then(function () { return new Promise(function (resolve) { later = resolve; }); "
        "})"
        ".then(function (v) { host.report('adopted ' + v); });"
        "var custom = { then: function (ok) { ok('from custom'); } };"
        "Promise.resolve(2).then(function () { return custom; }).then(function (v) { host.report(v); });");
    EXPECT_THAT(Reports(page), ElementsAre("from custom"));
    page.Run("later('late')");
    EXPECT_THAT(Reports(page), ElementsAre("from custom", "adopted late"));
}

TEST(PagePromise, APromiseSettlesOnceAndRefusesItself) {
    PageEngine page;
    page.Run("new Promise(function (resolve, reject) { resolve('one'); reject('two'); resolve('three'); })"
             ".then(function (v) { host.report(v); });"
             "var self = Promise.resolve(1).then(function () { return self; });"
             "self['catch'](function (e) { host.report(e.name); });"
             "new Promise(function () { throw 'executor'; })['catch'](function (r) { host.report(r); });");
    EXPECT_THAT(Reports(page), ElementsAre("one", "executor", "TypeError"));
}

TEST(PagePromise, AlreadySettledPromisesStillAnswerLater) {
    PageEngine page;
    page.Run("var p = Promise.resolve('ready'); p.then(function (v) { host.report('a ' + v); });"
             "host.report('sync');");
    page.Run("p.then(function (v) { host.report('b ' + v); }); host.report('sync again');");
    EXPECT_THAT(Reports(page), ElementsAre("sync", "a ready", "sync again", "b ready"));
}
