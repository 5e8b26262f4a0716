#include "Page/PageRuntime.hpp"

namespace StandIn::PageRuntime {

// Handlers always run from the job queue, after the script that settled the promise; a handler's
// error rejects the promise it returned; a then-able result is adopted. The record key is an
// engine-internal name, so page code cannot reach or change a promise's state.
const char* const Source = R"JS((function (global, recordKey) {
    var jobs = [];
    var json = global.JSON;

    function runJobs() {
        while (jobs.length > 0) {
            jobs.shift()();
        }
    }

    function react(record, reaction) {
        jobs.push(function () {
            var handler = record.state === 'fulfilled' ? reaction.onFulfilled : reaction.onRejected;
            if (typeof handler !== 'function') {
                (record.state === 'fulfilled' ? reaction.resolve : reaction.reject)(record.value);
                return;
            }
            var result;
            try {
                result = handler(record.value);
            } catch (error) {
                reaction.reject(error);
                return;
            }
            reaction.resolve(result);
        });
    }

    function settle(record, state, value) {
        if (record.state !== 'pending') {
            return;
        }
        record.state = state;
        record.value = value;
        var reactions = record.reactions;
        record.reactions = [];
        for (var i = 0; i < reactions.length; i++) {
            react(record, reactions[i]);
        }
    }

    function resolveWith(promise, record, value) {
        if (value === promise) {
            settle(record, 'rejected', new TypeError('a promise cannot resolve to itself'));
            return;
        }
        if (value !== null && (typeof value === 'object' || typeof value === 'function')) {
            var then;
            try {
                then = value.then;
            } catch (error) {
                settle(record, 'rejected', error);
                return;
            }
            if (typeof then === 'function') {
                jobs.push(function () {
                    var done = false;
                    try {
                        then.call(value, function (adopted) {
                            if (!done) {
                                done = true;
                                resolveWith(promise, record, adopted);
                            }
                        }, function (reason) {
                            if (!done) {
                                done = true;
                                settle(record, 'rejected', reason);
                            }
                        });
                    } catch (error) {
                        if (!done) {
                            done = true;
                            settle(record, 'rejected', error);
                        }
                    }
                });
                return;
            }
        }
        settle(record, 'fulfilled', value);
    }

    function Promise(executor) {
        if (!(this instanceof Promise)) {
            throw new TypeError('Promise must be called with new');
        }
        if (typeof executor !== 'function') {
            throw new TypeError('Promise executor is not a function');
        }
        var promise = this;
        var record = { state: 'pending', value: undefined, reactions: [] };
        var done = false;
        this[recordKey] = record;
        function resolve(value) {
            if (!done) {
                done = true;
                resolveWith(promise, record, value);
            }
        }
        function reject(reason) {
            if (!done) {
                done = true;
                settle(record, 'rejected', reason);
            }
        }
        try {
            executor(resolve, reject);
        } catch (error) {
            reject(error);
        }
    }

    Promise.prototype.then = function (onFulfilled, onRejected) {
        var record = this[recordKey];
        if (record === undefined) {
            throw new TypeError('then called on an object that is not a Promise');
        }
        return new Promise(function (resolve, reject) {
            var reaction = { onFulfilled: onFulfilled, onRejected: onRejected, resolve: resolve, reject: reject };
            if (record.state === 'pending') {
                record.reactions.push(reaction);
            } else {
                react(record, reaction);
            }
        });
    };

    Promise.prototype['catch'] = function (onRejected) {
        return this.then(undefined, onRejected);
    };

    Promise.resolve = function (value) {
        if (value instanceof Promise) {
            return value;
        }
        return new Promise(function (resolve) {
            resolve(value);
        });
    };

    Promise.reject = function (reason) {
        return new Promise(function (resolve, reject) {
            reject(reason);
        });
    };

    global.Promise = Promise;

    function describe(value) {
        return typeof value === 'string' ? value : String(json.stringify(value));
    }

    return {
        runJobs: runJobs,
        settled: function (fulfilled, value) {
            return fulfilled ? Promise.resolve(value) : Promise.reject(value);
        },
        call: function (objectName, functionName, argument, argumentIsJSON) {
            var target = global[objectName];
            if (target === null || (typeof target !== 'object' && typeof target !== 'function') ||
                typeof target[functionName] !== 'function') {
                return null;
            }
            var outcome = { state: 'pending', value: undefined };
            Promise.resolve(target[functionName](argumentIsJSON ? json.parse(argument) : argument)).then(function (value) {
                outcome.state = 'fulfilled';
                outcome.value = value;
            }, function (reason) {
                outcome.state = 'rejected';
                outcome.value = reason;
            });
            return outcome;
        },
        describe: describe
    };
}))JS";

} // namespace StandIn::PageRuntime
