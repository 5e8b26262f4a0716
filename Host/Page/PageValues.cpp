#include "Page/PageValues.hpp"

#include "Page/PageText.hpp"

#include <cmath>
#include <limits>
#include <string>

namespace StandIn::PageValues {

namespace {

void CheckDepth(duk_context* ctx, int depth) {
    if (depth > MaxDepth) {
        (void)duk_range_error(ctx, "script value nested deeper than %d levels", MaxDepth);
    }
    // Each level holds a few values on the engine's stack (an enumerator, a key, a value).
    duk_require_stack(ctx, 4);
}

void PushString(duk_context* ctx, const GS::UniString& text) {
    const std::string bytes = PageText::ToEngine(text);
    duk_push_lstring(ctx, bytes.data(), bytes.size());
}

void PushValue(duk_context* ctx, const JS::Value& value) {
    switch (value.GetType()) {
    case JS::Value::STRING:
        PushString(ctx, value.GetString());
        return;
    case JS::Value::BOOL:
        duk_push_boolean(ctx, value.GetBool());
        return;
    case JS::Value::INTEGER:
        duk_push_int(ctx, value.GetInteger());
        return;
    case JS::Value::UINTEGER:
    case JS::Value::DOUBLE:
        duk_push_number(ctx, value.GetDouble());
        return;
    case JS::Value::DEFAULT:
        break;
    }
    duk_push_undefined(ctx);
}

GS::Ref<JS::Base> ReadNumber(double number) {
    // -0 stays a double, so that it comes back to the page as it left.
    const bool whole =
        std::isfinite(number) && std::trunc(number) == number && !(number == 0.0 && std::signbit(number));
    if (whole && number >= std::numeric_limits<Int32>::min() && number <= std::numeric_limits<Int32>::max()) {
        return GS::NewRef<JS::Value>(static_cast<Int32>(number));
    }
    return GS::NewRef<JS::Value>(number);
}

GS::UniString ReadString(duk_context* ctx, duk_idx_t index) {
    duk_size_t length = 0;
    const char* bytes = duk_get_lstring(ctx, index, &length);
    return PageText::FromEngine(std::string_view(bytes, length));
}

GS::Ref<JS::Base> ReadArray(duk_context* ctx, duk_idx_t index, int depth) {
    auto array = GS::NewRef<JS::Array>();
    const duk_size_t length = duk_get_length(ctx, index);
    for (duk_size_t item = 0; item < length; ++item) {
        duk_get_prop_index(ctx, index, static_cast<duk_uarridx_t>(item));
        array->AddItem(Read(ctx, -1, depth + 1));
        duk_pop(ctx);
    }
    return array;
}

GS::Ref<JS::Base> ReadObject(duk_context* ctx, duk_idx_t index, int depth) {
    auto object = GS::NewRef<JS::Object>();
    duk_enum(ctx, index, DUK_ENUM_OWN_PROPERTIES_ONLY);
    while (duk_next(ctx, -1, 1)) {
        GS::UniString name = ReadString(ctx, -2);
        object->AddItem(name, Read(ctx, -1, depth + 1));
        duk_pop_2(ctx);
    }
    duk_pop(ctx);
    return object;
}

} // namespace

void Push(duk_context* ctx, const GS::Ref<JS::Base>& value, int depth) {
    CheckDepth(ctx, depth);
    if (auto scalar = GS::DynamicCast<JS::Value>(value)) {
        PushValue(ctx, *scalar);
    } else if (auto array = GS::DynamicCast<JS::Array>(value)) {
        duk_idx_t arrayIndex = duk_push_array(ctx);
        duk_uarridx_t item = 0;
        for (const GS::Ref<JS::Base>& element : array->GetItemArray()) {
            Push(ctx, element, depth + 1);
            duk_put_prop_index(ctx, arrayIndex, item++);
        }
    } else if (auto object = GS::DynamicCast<JS::Object>(value)) {
        duk_idx_t objectIndex = duk_push_object(ctx);
        for (const JS::Object::Member& member : object->GetItemTable()) {
            Push(ctx, member.value, depth + 1);
            const std::string name = PageText::ToEngine(member.name);
            duk_put_prop_lstring(ctx, objectIndex, name.data(), name.size());
        }
    } else {
        duk_push_undefined(ctx);
    }
}

GS::Ref<JS::Base> Read(duk_context* ctx, duk_idx_t index, int depth) {
    CheckDepth(ctx, depth);
    index = duk_normalize_index(ctx, index);
    switch (duk_get_type(ctx, index)) {
    case DUK_TYPE_STRING:
        return GS::NewRef<JS::Value>(ReadString(ctx, index));
    case DUK_TYPE_NUMBER:
        return ReadNumber(duk_get_number(ctx, index));
    case DUK_TYPE_BOOLEAN:
        return GS::NewRef<JS::Value>(static_cast<bool>(duk_get_boolean(ctx, index)));
    case DUK_TYPE_OBJECT:
        if (duk_is_function(ctx, index)) {
            return nullptr;
        }
        return duk_is_array(ctx, index) ? ReadArray(ctx, index, depth) : ReadObject(ctx, index, depth);
    default:
        return nullptr;
    }
}

} // namespace StandIn::PageValues
