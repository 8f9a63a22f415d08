#include "platform/win32/wmi_method_call.hpp"

#include <array>

#include "core/convert.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/late_bound.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::win32 {
namespace {

struct Parameter {
  const char *name;
  bool output;
};

struct MethodShape {
  const char *name;
  std::vector<Parameter> parameters; // in the order of the caller's args
};

const MethodShape *shapeOf(std::string_view method) {
  static const std::array<MethodShape, 2> shapes{{
      {"GetOwner", {{"User", true}, {"Domain", true}}},
      {"Terminate", {{"Reason", false}}},
  }};
  for (const auto &shape : shapes) {
    if (equalsIgnoreCase(shape.name, method)) return &shape;
  }
  return nullptr;
}

VariantValue toPlatform(const Variant &value, const ObjectBridge &bridge) {
  VariantValue converted;
  toVariant(value, converted.get(), bridge);
  return converted;
}

Variant byParameters(IDispatch *object, const MethodShape &shape, std::vector<Variant> &args,
                     const ObjectBridge &bridge) {
  VariantValue methodName;
  V_BSTR(methodName.get()) = Bstr(shape.name).detach();
  V_VT(methodName.get()) = VT_BSTR;

  std::vector<VariantValue> execArgs;
  execArgs.push_back(methodName);
  bool hasInputs = false;
  for (const auto &parameter : shape.parameters)
    hasInputs = hasInputs || !parameter.output;
  if (hasInputs) {
    std::vector<VariantValue> itemArgs{methodName};
    VariantValue methods = getProperty(object, "Methods_");
    VariantValue method = callMethod(dispatchIn(methods).get(), "Item", itemArgs);
    VariantValue declared = getProperty(dispatchIn(method).get(), "InParameters");
    VariantValue inputs = callMethod(dispatchIn(declared).get(), "SpawnInstance_");
    for (std::size_t i = 0; i < shape.parameters.size() && i < args.size(); ++i) {
      if (shape.parameters[i].output) continue;
      putProperty(dispatchIn(inputs).get(), shape.parameters[i].name, *toPlatform(args[i], bridge).get());
    }
    execArgs.push_back(inputs);
  }

  VariantValue outputs = callMethod(object, "ExecMethod_", execArgs);
  ComPtr<IDispatch> out = dispatchIn(outputs);
  for (std::size_t i = 0; i < shape.parameters.size() && i < args.size(); ++i) {
    if (!shape.parameters[i].output) continue;
    args[i] = fromVariant(*getProperty(out.get(), shape.parameters[i].name).get(), bridge);
  }
  return fromVariant(*getProperty(out.get(), "ReturnValue").get(), bridge);
}

Variant byName(IDispatch *object, std::string_view method, std::vector<Variant> &args,
               const ObjectBridge &bridge) {
  std::vector<VariantValue> platformArgs;
  platformArgs.reserve(args.size());
  for (const auto &arg : args)
    platformArgs.push_back(toPlatform(arg, bridge));
  VariantValue result = callMethod(object, method, platformArgs);
  for (std::size_t i = 0; i < args.size(); ++i)
    args[i] = fromVariant(*platformArgs[i].get(), bridge);
  return fromVariant(*result.get(), bridge);
}

} // namespace

Variant callManagementMethod(IDispatch *object, std::string_view method, std::vector<Variant> &args,
                             const ObjectBridge &bridge) {
  if (const MethodShape *shape = shapeOf(method)) return byParameters(object, *shape, args, bridge);
  return byName(object, method, args, bridge);
}

} // namespace qv::win32
