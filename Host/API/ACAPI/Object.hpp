#pragma once

#include "API_Guid.hpp"

// The token every add-on passes to the host's object API. The host gives each add-on its own; the
// stand-in has one add-on at a time, and one token.
using API_Token = API_Guid;

HOST_API API_Token ACAPI_GetToken();
