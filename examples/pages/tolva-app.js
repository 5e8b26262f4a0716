// A small stand-in of the Tolva web application (ES5, for the host's page runtime). The add-on
// calls loadPluginVersion() and TOLVA.archicad.onSelectionChanged(); the page asks the add-on
// through ACAPI and tells the host what it received with host.report(text).
function describe(value) {
    return typeof value === 'string' ? value : JSON.stringify(value);
}

function reportFailure(what) {
    return function (error) {
        host.report(what + ' failed: ' + String(error));
    };
}

function loadPluginVersion() {
    ACAPI.getPluginVersion().then(function (version) {
        host.report('plugin version ' + describe(version));
    }, reportFailure('plugin version'));
}

var TOLVA = {
    archicad: {
        onSelectionChanged: function () {
            ACAPI.getSelection().then(function (selection) {
                host.report('selection ' + describe(selection));
            }, reportFailure('selection'));
        }
    }
};

host.report('page loaded ' + location.href);
