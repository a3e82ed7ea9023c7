// Level 9: failures planted part-way through a run. The k-th allocation the
// module makes fails, for every k until a run completes without reaching k;
// then the k-th call into the host answers a failure, and then it throws,
// for every k. Each time the module must end with a sound result, send
// nothing after the failure, refuse nothing and misuse nothing.
#include "host/loader/fault_plan.h"
#include "tools/validation.h"
#include "tools/validation_probe.h"

namespace sim {
namespace {

// Beyond this many points a run is taken not to end.
constexpr size_t kMaxPoints = 200000;

// The run every point is planted in: OK on the defaults after a right-click
// that picks the first menu item, so panels, controls and menus all take part.
void scriptRun(Probe &probe) {
  probe.frontEnd().onMenu = [](const layout::MenuView &menu) { return menu.items.empty() ? -1 : 0; };
  probe.frontEnd().onPanel = [](layout::OpenPanel &panel) {
    panel.click(LAYOUT_MOUSE_MENU, 20, 20);
    if (panel.isOpen()) panel.confirm();
  };
}

// Plants one failure a point at a time; `plant(k)` arms the k-th. Returns
// the number of points planted.
template <typename Plant>
size_t plantEach(CheckContext &context, const std::string &what, Plant plant) {
  Probe probe(context);
  if (!probe.ok()) return 0;
  scriptRun(probe);
  layout::FaultPlan &plan = layout::faultPlan();
  size_t points = 0;
  for (const std::string &server : probe.servers()) {
    for (const uint32_t build : kBehaviourBuilds) {
      for (size_t k = 1; k <= kMaxPoints; ++k) {
        probe.resetScene(build);
        plan.reset();
        plant(plan, k);
        ProbeRun run = probe.run(server, at(server, build) + ", " + what + " " + std::to_string(k));
        const bool fired = plan.fired();
        const size_t after = plan.commandsAfterFault();
        const std::string call = plan.failedCall();
        plan.reset();
        if (!fired) break;
        ++points;
        if (!call.empty()) run.what += " (" + call + ")";
        if (!run.escaped.empty())
          context.fail(run.what + ": an exception escaped the module: " + run.escaped);
        if (run.result != LAYOUT_AF_OK && run.result != LAYOUT_AF_BADGLOBAL) {
          context.fail(run.what + ": result " + std::to_string(run.result));
        }
        for (const std::string &message : run.misuse) {
          // A destroy that threw destroyed nothing: the host's doing, not misuse.
          const bool destroyThrew =
              call.ends_with(".destroy") && message.find("not destroyed") != std::string::npos;
          if (!destroyThrew) context.fail(run.what + ": misuse: " + message);
        }
        for (const std::string &message : run.rejections)
          context.fail(run.what + ": refused command: " + message);
        // Without "Product Info" a module takes the host to be of build 0 and
        // carries on: an answer, not a failure.
        if (after > 0 && call != LAYOUT_PRODUCT_INFO)
          context.fail(run.what + ": sent " + std::to_string(after) + " commands after the failure");
      }
    }
  }
  return points;
}

}  // namespace

void checkAllocationFaults(CheckContext &context) {
  const size_t points =
      plantEach(context, "allocation", [](layout::FaultPlan &plan, size_t k) { plan.failAllocation(k); });
  context.figure("allocation failures planted", points);
}

void checkHostFaults(CheckContext &context) {
  const size_t answered = plantEach(
      context, "host call answering a failure",
      [](layout::FaultPlan &plan, size_t k) { plan.failHostCall(k, layout::HostFailure::kAnswer); });
  const size_t thrown = plantEach(context, "host call throwing", [](layout::FaultPlan &plan, size_t k) {
    plan.failHostCall(k, layout::HostFailure::kThrow);
  });
  context.figure("host calls answering a failure", answered);
  context.figure("host calls throwing", thrown);
}

}  // namespace sim
