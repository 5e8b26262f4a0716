#include "Page/PageBridge.hpp"

#include "Page/PageEngine.hpp"
#include "Page/PageRegistry.hpp"
#include "Page/PageState.hpp"
#include "Page/PageText.hpp"
#include "Page/PageValues.hpp"

#include <exception>
#include <string>

namespace StandIn::PageBridge {

namespace {

constexpr const char* RuntimeKey = "runtime";
constexpr const char* ObjectNameKey = DUK_HIDDEN_SYMBOL("objectName");
constexpr const char* FunctionNameKey = DUK_HIDDEN_SYMBOL("functionName");

GS::UniString ReadName(duk_context* ctx, const char* key) {
    duk_get_prop_string(ctx, -1, key);
    duk_size_t length = 0;
    const char* bytes = duk_get_lstring(ctx, -1, &length);
    GS::UniString name = PageText::FromEngine(std::string_view(bytes == nullptr ? "" : bytes, length));
    duk_pop(ctx);
    return name;
}

GS::Ref<JS::Function> FindFunction(const PageState& state, const GS::UniString& objectName,
                                   const GS::UniString& functionName) {
    for (const GS::Ref<JS::Object>& object : state.objects) {
        if (object->GetName() != objectName) {
            continue;
        }
        for (const JS::Object::Member& member : object->GetItemTable()) {
            auto function = GS::DynamicCast<JS::Function>(member.value);
            if (function && member.name == functionName) {
                return function;
            }
        }
    }
    return nullptr;
}

struct CallOutcome {
    bool fulfilled = false;
    GS::Ref<JS::Base> value;
    std::string failure;
};

std::vector<std::string>& EscapedExceptions() {
    static std::vector<std::string> escaped;
    return escaped;
}

// The callable runs outside the engine: whatever it throws stays on this side. It is also
// recorded, since an add-on's command must not throw into the engine.
CallOutcome CallHost(PageState& state, const JS::Function& function, const GS::UniString& calledName,
                     GS::Ref<JS::Base> argument) {
    PageTimePause pause(state.timeLimit);
    CallOutcome outcome;
    std::string kind;
    try {
        outcome.value = function.Call(std::move(argument));
        outcome.fulfilled = true;
        return outcome;
    } catch (const GS::Exception& exception) {
        kind = exception.GetName();
        outcome.failure = exception.GetMessage().ToCStr(CC_UTF8).Get();
    } catch (const std::exception& exception) {
        kind = "std::exception";
        outcome.failure = exception.what();
    } catch (...) {
        kind = "an unknown exception";
        outcome.failure = "unknown exception";
    }
    EscapedExceptions().push_back(PageText::ToEngine(calledName) + " threw " + kind + ": " + outcome.failure);
    return outcome;
}

duk_ret_t CallRegisteredFunction(duk_context* ctx) {
    PageState& state = StateOf(ctx);
    duk_push_current_function(ctx);
    const GS::UniString objectName = ReadName(ctx, ObjectNameKey);
    const GS::UniString functionName = ReadName(ctx, FunctionNameKey);
    duk_pop(ctx);
    GS::Ref<JS::Function> function = FindFunction(state, objectName, functionName);
    if (function == nullptr) {
        return duk_type_error(ctx, "no function");
    }
    GS::Ref<JS::Base> argument = PageValues::Read(ctx, 0);
    CallOutcome outcome = CallHost(state, *function, objectName + "." + functionName, std::move(argument));

    PushRuntimeFunction(ctx, "settled");
    duk_push_boolean(ctx, outcome.fulfilled);
    if (outcome.fulfilled) {
        PageValues::Push(ctx, outcome.value);
    } else {
        duk_push_error_object(ctx, DUK_ERR_ERROR, "%s", outcome.failure.c_str());
    }
    duk_call(ctx, 2);
    return 1;
}

duk_ret_t Report(duk_context* ctx) {
    if (!duk_is_string(ctx, 0)) {
        duk_json_encode(ctx, 0);
    }
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(ctx, 0, &length);
    StateOf(ctx).reports.push_back(PageText::FromEngine(std::string_view(text, length)));
    return 0;
}

// The plan text the driver set, or null: the page stands in for the web application, the driver
// for its plan generator.
duk_ret_t GeneratedPlan(duk_context* ctx) {
    const std::string plan = PageRegistry::GeneratedPlan();
    if (plan.empty()) {
        duk_push_null(ctx);
    } else {
        duk_push_lstring(ctx, plan.data(), plan.size());
    }
    return 1;
}

} // namespace

void StoreRuntime(duk_context* ctx) {
    duk_push_global_stash(ctx);
    duk_swap_top(ctx, -2);
    duk_put_prop_string(ctx, -2, RuntimeKey);
    duk_pop(ctx);
}

void PushRuntimeFunction(duk_context* ctx, const char* name) {
    duk_push_global_stash(ctx);
    duk_get_prop_string(ctx, -1, RuntimeKey);
    duk_get_prop_string(ctx, -1, name);
    duk_remove(ctx, -2);
    duk_remove(ctx, -2);
}

void InstallHost(duk_context* ctx) {
    duk_push_object(ctx);
    duk_push_c_function(ctx, Report, 1);
    duk_put_prop_string(ctx, -2, "report");
    duk_push_c_function(ctx, GeneratedPlan, 0);
    duk_put_prop_string(ctx, -2, "generatedPlan");
    duk_put_global_string(ctx, "host");
}

void InstallObject(duk_context* ctx, const JS::Object& object) {
    const std::string objectName = PageText::ToEngine(object.GetName());
    duk_idx_t objectIndex = duk_push_object(ctx);
    for (const JS::Object::Member& member : object.GetItemTable()) {
        if (GS::DynamicCast<JS::Function>(member.value)) {
            duk_push_c_function(ctx, CallRegisteredFunction, 1);
            duk_push_lstring(ctx, objectName.data(), objectName.size());
            duk_put_prop_string(ctx, -2, ObjectNameKey);
            PageValues::Push(ctx, GS::NewRef<JS::Value>(member.name));
            duk_put_prop_string(ctx, -2, FunctionNameKey);
        } else {
            PageValues::Push(ctx, member.value);
        }
        const std::string memberName = PageText::ToEngine(member.name);
        duk_put_prop_lstring(ctx, objectIndex, memberName.data(), memberName.size());
    }
    duk_put_global_lstring(ctx, objectName.data(), objectName.size());
}

} // namespace StandIn::PageBridge

std::vector<std::string> StandIn::TakeEscapedExceptions() {
    std::vector<std::string> escaped;
    escaped.swap(PageBridge::EscapedExceptions());
    return escaped;
}
