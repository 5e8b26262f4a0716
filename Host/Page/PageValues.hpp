#pragma once

#include "JSValues.hpp"

#include <duktape.h>

// Script values between the host and the page. From the page: a string gives a string value, a
// number an integer value when it is a whole number in Int32's range (else a double value), a
// boolean a bool value, an array a JS::Array, an object a JS::Object with its own enumerable
// members in order; undefined, null and functions give an empty reference. To the page: string,
// bool and number values as such, JS::Object as an object with its members in order, JS::Array as
// an array; an empty reference, a default value and a function give undefined.
namespace StandIn::PageValues {

// Deeper values are refused (a cyclic page object would never end).
constexpr int MaxDepth = 64;

void Push(duk_context* ctx, const GS::Ref<JS::Base>& value, int depth = 0);
// Raises an engine error for a too deeply nested value: call it where the page can see errors.
GS::Ref<JS::Base> Read(duk_context* ctx, duk_idx_t index, int depth = 0);

} // namespace StandIn::PageValues
