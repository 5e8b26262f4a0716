#include "Page/PageEngine.hpp"

#include "Page/PageBridge.hpp"
#include "Page/PageRuntime.hpp"
#include "Page/PageState.hpp"
#include "Page/PageText.hpp"
#include "Page/PageValues.hpp"

#include <algorithm>
#include <type_traits>

namespace StandIn {

struct PageEngine::Context {
    explicit Context(std::chrono::milliseconds limit) : state(limit) {}
    ~Context() {
        RetireHeaps();
        duk_destroy_heap(heap);
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    void RetireHeaps() {
        for (duk_context* old : retired) {
            duk_destroy_heap(old);
        }
        retired.clear();
    }

    PageState state;
    duk_context* heap = nullptr;
    // Pages replaced while page code was running; destroyed once it has returned.
    std::vector<duk_context*> retired;
    int entries = 0;
    // The engine was destroyed from inside a page call: finish that call and run nothing more.
    bool orphaned = false;
};

namespace {

// Keeps the page alive and its clock running while the host is inside it.
template <typename ContextType>
class Entry {
public:
    explicit Entry(const std::shared_ptr<ContextType>& context) : context(context) {
        if (context->entries++ == 0) {
            context->state.timeLimit.Start();
        }
    }
    ~Entry() {
        if (--context->entries == 0) {
            context->state.timeLimit.Stop();
            context->RetireHeaps();
        }
    }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

    ContextType& operator*() const { return *context; }
    ContextType* operator->() const { return context.get(); }

private:
    std::shared_ptr<ContextType> context;
};

// Restores the engine's value stack on every way out.
class StackTop {
public:
    explicit StackTop(duk_context* ctx) : ctx(ctx), top(duk_get_top(ctx)) {}
    ~StackTop() { duk_set_top(ctx, top); }
    StackTop(const StackTop&) = delete;
    StackTop& operator=(const StackTop&) = delete;

private:
    duk_context* ctx;
    duk_idx_t top;
};

[[noreturn]] void ThrowScriptError(duk_context* ctx) {
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(ctx, -1, &length);
    throw GS::Exception(PageText::FromEngine(std::string_view(text, length)));
}

// Runs the body as a protected call over the top `arguments` values, so that engine errors it
// raises become a GS::Exception; the body answers how many values it returns, and the first one
// (or undefined) is left on the stack.
template <typename Body>
void Protected(duk_context* ctx, duk_idx_t arguments, Body&& body) {
    auto trampoline = [](duk_context* inner, void* udata) -> duk_ret_t {
        return (*static_cast<std::remove_reference_t<Body>*>(udata))(inner);
    };
    if (duk_safe_call(ctx, trampoline, &body, arguments, 1) != DUK_EXEC_SUCCESS) {
        ThrowScriptError(ctx);
    }
}

void Evaluate(duk_context* ctx, const std::string& source, const char* fileName) {
    StackTop top(ctx);
    duk_push_lstring(ctx, source.data(), source.size());
    duk_push_string(ctx, fileName);
    if (duk_pcompile(ctx, 0) != DUK_EXEC_SUCCESS || duk_pcall(ctx, 0) != DUK_EXEC_SUCCESS) {
        ThrowScriptError(ctx);
    }
}

void Drain(duk_context* ctx) {
    StackTop top(ctx);
    Protected(ctx, 0, [](duk_context* inner) {
        PageBridge::PushRuntimeFunction(inner, "runJobs");
        duk_call(inner, 0);
        return 0;
    });
}

duk_context* NewPage(PageState& state, const GS::UniString& address) {
    duk_context* ctx = duk_create_heap(nullptr, nullptr, nullptr, &state, nullptr);
    if (ctx == nullptr) {
        throw GS::OutOfMemoryException();
    }
    try {
        StackTop top(ctx);
        Protected(ctx, 0, [&](duk_context* inner) {
            duk_eval_string(inner, PageRuntime::Source);
            duk_push_global_object(inner);
            duk_push_string(inner, DUK_HIDDEN_SYMBOL("promise"));
            duk_call(inner, 2);
            PageBridge::StoreRuntime(inner);
            PageBridge::InstallHost(inner);
            duk_push_object(inner);
            PageValues::Push(inner, GS::NewRef<JS::Value>(address));
            duk_put_prop_string(inner, -2, "href");
            duk_put_global_string(inner, "location");
            for (const GS::Ref<JS::Object>& object : state.objects) {
                PageBridge::InstallObject(inner, *object);
            }
            return 0;
        });
    } catch (...) {
        duk_destroy_heap(ctx);
        throw;
    }
    return ctx;
}

std::string Describe(duk_context* ctx, duk_idx_t index) {
    index = duk_normalize_index(ctx, index);
    PageBridge::PushRuntimeFunction(ctx, "describe");
    duk_dup(ctx, index);
    duk_call(ctx, 1);
    duk_size_t length = 0;
    const char* text = duk_get_lstring(ctx, -1, &length);
    std::string described(text, length);
    duk_pop(ctx);
    return described;
}

// Reads the outcome record the runtime's call helper answered (on top of the stack).
PageCallResult ReadOutcome(duk_context* ctx) {
    PageCallResult result;
    duk_dup_top(ctx);
    Protected(ctx, 1, [&](duk_context* inner) {
        duk_get_prop_string(inner, 0, "state");
        const std::string state = duk_get_string(inner, -1);
        duk_get_prop_string(inner, 0, "value");
        if (state == "fulfilled") {
            result.state = PageCallResult::State::Fulfilled;
            result.text = Describe(inner, -1);
            result.value = PageValues::Read(inner, -1);
        } else if (state == "rejected") {
            result.state = PageCallResult::State::Rejected;
            duk_size_t length = 0;
            const char* text = duk_safe_to_lstring(inner, -1, &length);
            result.text.assign(text, length);
        }
        return 0;
    });
    return result;
}

template <typename ContextType, typename PushArgument>
PageCallResult CallFromPage(const std::shared_ptr<ContextType>& context, const GS::UniString& objectName,
                            const GS::UniString& functionName, bool argumentIsJSON,
                            PushArgument&& pushArgument) {
    Entry entry(context);
    duk_context* ctx = entry->heap;
    StackTop top(ctx);
    Protected(ctx, 0, [&](duk_context* inner) {
        PageBridge::PushRuntimeFunction(inner, "call");
        PageValues::Push(inner, GS::NewRef<JS::Value>(objectName));
        PageValues::Push(inner, GS::NewRef<JS::Value>(functionName));
        pushArgument(inner);
        duk_push_boolean(inner, argumentIsJSON);
        duk_call(inner, 4);
        return 1;
    });
    if (duk_is_null(ctx, -1)) {
        throw GS::Exception("no function");
    }
    if (!entry->orphaned) {
        Drain(ctx);
    }
    return ReadOutcome(ctx);
}

} // namespace

PageEngine::PageEngine(std::chrono::milliseconds timeLimit) : context(std::make_shared<Context>(timeLimit)) {
    context->heap = NewPage(context->state, "about:blank");
}

PageEngine::~PageEngine() {
    if (context.use_count() > 1) {
        context->orphaned = true;
    }
}

void PageEngine::SetTimeLimit(std::chrono::milliseconds limit) {
    context->state.timeLimit.SetLimit(limit);
}

void PageEngine::Load(const GS::UniString& address, const std::string& script) {
    Entry entry(context);
    duk_context* page = NewPage(entry->state, address);
    if (entry->entries > 1) {
        entry->retired.push_back(entry->heap);
    } else {
        duk_destroy_heap(entry->heap);
    }
    entry->heap = page;
    Evaluate(page, script, "page");
    if (!entry->orphaned) {
        Drain(page);
    }
}

void PageEngine::Run(const GS::UniString& script) {
    Entry entry(context);
    duk_context* page = entry->heap;
    Evaluate(page, PageText::ToEngine(script), "script");
    if (!entry->orphaned) {
        Drain(page);
    }
}

void PageEngine::DrainJobs() {
    Entry entry(context);
    Drain(entry->heap);
}

void PageEngine::RegisterObject(GS::Ref<JS::Object> object) {
    Entry entry(context);
    std::vector<GS::Ref<JS::Object>>& objects = entry->state.objects;
    auto same = std::find_if(objects.begin(), objects.end(), [&](const GS::Ref<JS::Object>& registered) {
        return registered->GetName() == object->GetName();
    });
    if (same != objects.end()) {
        *same = object;
    } else {
        objects.push_back(object);
    }
    duk_context* page = entry->heap;
    StackTop top(page);
    Protected(page, 0, [&](duk_context* inner) {
        PageBridge::InstallObject(inner, *object);
        return 0;
    });
}

const std::vector<GS::Ref<JS::Object>>& PageEngine::GetRegisteredObjects() const {
    return context->state.objects;
}

PageCallResult PageEngine::CallObjectFunction(const GS::UniString& objectName,
                                              const GS::UniString& functionName,
                                              const GS::Ref<JS::Base>& argument) {
    return CallFromPage(context, objectName, functionName, false,
                        [&](duk_context* ctx) { PageValues::Push(ctx, argument); });
}

PageCallResult PageEngine::CallObjectFunction(const GS::UniString& objectName,
                                              const GS::UniString& functionName,
                                              const std::string& argumentJSON) {
    return CallFromPage(context, objectName, functionName, true, [&](duk_context* ctx) {
        duk_push_lstring(ctx, argumentJSON.data(), argumentJSON.size());
    });
}

const std::vector<GS::UniString>& PageEngine::GetReports() const {
    return context->state.reports;
}

} // namespace StandIn
