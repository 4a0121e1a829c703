// The text rule of the dynamic-form check: "required" between the
// dynamicRender tags counts only below an acrobat7 element of the acrobat
// element.
#include <gtest/gtest.h>

#include <string>

#include "host/XfaForm.h"

namespace {

using namespace std::string_literals;

TEST(DynamicFormConfig, RequiresDynamicRenderOnlyInsideTheAcrobat7Element) {
  struct Case {
    std::string config;
    bool required;
  };
  const Case cases[] = {
      {"<config><acrobat><acrobat7><dynamicRender>required</dynamicRender></acrobat7></acrobat></config>", true},
      {"<acrobat><acrobat7><dynamicRender> required </dynamicRender></acrobat7></acrobat>", true},
      {"<acrobat><acrobat7><dynamicRender>forbidden</dynamicRender></acrobat7></acrobat>", false},
      {"<acrobat><dynamicRender>required</dynamicRender></acrobat>", false},  // no acrobat7
      {"<acrobat7><dynamicRender>required</dynamicRender></acrobat7>", true},  // acrobat7 holds "acrobat"
      {"<common><dynamicRender>required</dynamicRender></common><acrobat><acrobat7/></acrobat>", false},
      {"<acrobat><acrobat7></dynamicRender>required", false},            // no opening tag
      {"<acrobat><acrobat7><dynamicRender>required", false},             // no closing tag
      {"<acrobat><acrobat7><dynamicRender></dynamicRender>required", false},
      {"", false},
      {"<acrobat><acrobat7>\0<dynamicRender>required</dynamicRender>"s, true},  // the whole decoded text is searched
  };
  for (const Case& c : cases) EXPECT_EQ(host::xfa::ConfigRequiresDynamicRender(c.config), c.required) << c.config;
}

}  // namespace
