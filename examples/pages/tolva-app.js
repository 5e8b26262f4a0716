// A small stand-in of the Tolva web application (ES5, for the host's page runtime). The add-on
// calls loadPluginVersion() and TOLVA.archicad.onSelectionChanged(); the page asks the add-on
// through ACAPI and tells the host what it received with host.report(text). On the plan generation
// page a room is answered with a plan (host.generatedPlan() stands in for the plan generator), which
// the page imports at the room's reference point.
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

var PLAN_PAGE = 'https://app.tolva.ai/generate-plan';

// The add-on asks for the selection when the page loads and again after the click; the web
// application generates one plan for the room it is given, so it imports once per load.
var planImported = false;

function importPlanFor(room) {
    var plan = host.generatedPlan();
    if (planImported || location.href !== PLAN_PAGE || plan === null || typeof room !== 'string' ||
        room.charAt(0) !== '{') {
        return;
    }
    planImported = true;
    var argument = {reference: JSON.parse(room).reference, planTemplate: JSON.parse(plan).planTemplate};
    return ACAPI.importPlan(JSON.stringify(argument)).then(function (answer) {
        host.report('import ' + describe(answer));
    }, reportFailure('import'));
}

var TOLVA = {
    archicad: {
        onSelectionChanged: function () {
            ACAPI.getSelection().then(function (selection) {
                host.report('selection ' + describe(selection));
                return importPlanFor(selection);
            }, reportFailure('selection'));
        }
    }
};

host.report('page loaded ' + location.href);
