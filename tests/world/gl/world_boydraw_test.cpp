// The boy's drawing: where he is drawn, which way he faces and leans, and
// that his model is drawn there.
#include "gltestsupport.h"
#include "world_headless.h"

#include "boy.h"
#include "model.h"
#include "modelmanager.h"
#include "orbitcamera.h"

#include <GL/gl.h>

#include <array>

namespace {

constexpr float kHalfPi = 1.5707963f;
constexpr float kDegree = 0.017453293f;

// Keeps the model-view matrix it is drawn with.
class MatrixProbe : public SceneNode {
public:
    void Render() override
    {
        glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
        ++renders;
    }
    std::array<float, 16> matrix{};
    int renders = 0;
};

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

class BoyDrawing : public HeadlessWorldTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.Open()) << "no GL window";
        HeadlessWorldTest::SetUp();
        gltest::ResetDrawing(gltest::Texturing::kOff);
        boy_ = World().GetBoy();
    }
    void TearDown() override
    {
        World().SetCamera(nullptr);
        HeadlessWorldTest::TearDown();
    }

    gltest::WindowHold window_;
    MatrixProbe probe_;  // outlives the boy, who holds it as his child
    Boy* boy_ = nullptr;
};

struct PoseCase {
    const char* name;
    float targetX, targetZ;  // the steering point, from the boy
    float pitchDegrees;
    float scale;
    Vec3 nose, up;  // the model's -z and +y in the world
};

class BoyPose : public BoyDrawing, public ::testing::WithParamInterface<PoseCase> {};

// Steering, he faces the point he steers at; the pitch lifts his nose, and
// flying fast he leans into the turn the camera still has to make (the
// camera's yaw target 225 degrees: roll sin(45 degrees) x 115/150 x pi/2).
// He is drawn at his place, the bob added to his height.
TEST_P(BoyPose, IsDrawnWhereHeIsFacingWhereHeSteers)
{
    const PoseCase& c = GetParam();
    OrbitCamera camera;
    World().SetCamera(&camera);
    boy_->position = Vec3(3.0f, 155.0f, -4.0f);
    boy_->scale = Vec3(c.scale, c.scale, c.scale);
    World().SetBoyStart(boy_->position + Vec3(c.targetX, 0.0f, c.targetZ));
    boy_->Update(0.0f);
    boy_->SetPitch(c.pitchDegrees * kDegree);
    boy_->ChooseModel(kHalfPi, Vec3());  // standing: bob sin(pi/2) x 0.1
    boy_->AddChild(RefHandle<SceneNode>(&probe_));

    boy_->Render();

    ASSERT_EQ(probe_.renders, 1);
    const std::array<float, 16>& m = probe_.matrix;
    ExpectNear(Vec3(m[12], m[13], m[14]), Vec3(3.0f, 155.1f, -4.0f), 1e-3f, "origin");
    ExpectNear(Vec3(-m[8], -m[9], -m[10]), c.nose * c.scale, 1e-4f, "nose");
    ExpectNear(Vec3(m[4], m[5], m[6]), c.up * c.scale, 1e-4f, "up");
    float after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(after[12], 0.0f) << "the caller's matrix back";
}

const Vec3 kUp(0.0f, 1.0f, 0.0f);

INSTANTIATE_TEST_SUITE_P(
    Steering, BoyPose,
    ::testing::Values(PoseCase{"TowardMinusZ", 0.0f, -2.0f, 0.0f, 1.0f, Vec3(0.0f, 0.0f, -1.0f), kUp},
                      PoseCase{"TowardPlusX", 2.0f, 0.0f, 0.0f, 1.0f, Vec3(1.0f, 0.0f, 0.0f), kUp},
                      PoseCase{"TowardMinusX", -2.0f, 0.0f, 0.0f, 1.0f, Vec3(-1.0f, 0.0f, 0.0f), kUp},
                      PoseCase{"TowardPlusZ", 0.0f, 2.0f, 0.0f, 1.0f, Vec3(0.0f, 0.0f, 1.0f), kUp},
                      PoseCase{"Diagonal", 2.0f, 2.0f, 0.0f, 1.0f, Vec3(0.7071068f, 0.0f, 0.7071068f), kUp},
                      PoseCase{"TwiceTheSize", 0.0f, 2.0f, 0.0f, 2.0f, Vec3(0.0f, 0.0f, 1.0f), kUp},
                      PoseCase{"ClimbingTowardPlusX", 2.0f, 0.0f, 30.0f, 1.0f, Vec3(0.8660254f, 0.5f, 0.0f),
                               Vec3(-0.5f, 0.8660254f, 0.0f)},
                      PoseCase{"BankingAtFullSpeed", 0.0f, -100.0f, 0.0f, 1.0f, Vec3(0.0f, 0.0f, -1.0f),
                               Vec3(-0.7523042f, 0.6588159f, 0.0f)}),
    CaseName());

// A square of a quarter of the view, drawn about the boy's place.
const char* const kSquare = "v -0.25 -0.25 0\nv 0.25 -0.25 0\nv 0.25 0.25 0\nv -0.25 0.25 0\nf 1 2 3\nf 1 3 4\n";

TEST_F(BoyDrawing, ModelIsDrawnAtHisPlace)
{
    TempFolder folder;
    folder.Write("square.obj", kSquare);
    Model* square = GfxComponent::GetInstance()->models->Load(folder.File("square.obj").c_str());
    ASSERT_NE(square, nullptr);
    boy_->SetModel(Boy::kSlotIdle, square);
    boy_->SetModelSlot(Boy::kSlotIdle);
    boy_->position = Vec3(0.5f, 0.5f, 0.0f);

    boy_->Render();

    const int w = gltest::WindowWidth();
    const int h = gltest::WindowHeight();
    EXPECT_GT(gltest::ReadPixel(3 * w / 4, 3 * h / 4)[0], 64) << "the model at the boy";
    EXPECT_EQ(gltest::CentrePixel()[0], 0) << "nothing where the model would be unmoved";
}

}  // namespace
