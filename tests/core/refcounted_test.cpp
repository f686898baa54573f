// Reference counting through handles, and the singleton base.
#include "refcounted.h"
#include "singleton.h"

#include <gtest/gtest.h>

namespace {

class Counted : public RefCounted {
public:
    explicit Counted(int* destroyed)
        : destroyed_(destroyed)
    {}
    void Destroy() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// RefCounted as a second base, not at the start of the object.
class Drawable {
public:
    virtual ~Drawable() = default;
    int layer = 3;
};
class Node : public Drawable, public RefCounted {
public:
    void Destroy() override { delete this; }
    static int alive;
    Node() { ++alive; }
    ~Node() override { --alive; }
};
int Node::alive = 0;

}  // namespace

TEST(RefHandle, FirstHandleCountsOneAndLastReleaseDestroys)
{
    int destroyed = 0;
    Counted object(&destroyed);
    EXPECT_EQ(object.RefCount(), 0);
    {
        RefHandle<Counted> first(&object);
        EXPECT_EQ(object.RefCount(), 1);
        RefHandle<Counted> second(first);
        EXPECT_EQ(object.RefCount(), 2);
    }
    EXPECT_EQ(object.RefCount(), 0);
    EXPECT_EQ(destroyed, 1);
}

TEST(RefHandle, NullHandlesCopyAssignAndDieQuietly)
{
    RefHandle<Counted> empty;
    RefHandle<Counted> copy(empty);
    copy = empty;
    copy = nullptr;
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_FALSE(copy);
}

TEST(RefHandle, AssignmentMovesOneReferenceFromOldToNew)
{
    int destroyedX = 0;
    int destroyedY = 0;
    Counted x(&destroyedX);
    Counted y(&destroyedY);
    RefHandle<Counted> a(&x);
    RefHandle<Counted> b(&y);
    a = b;
    EXPECT_EQ(destroyedX, 1);
    EXPECT_EQ(x.RefCount(), 0);
    EXPECT_EQ(y.RefCount(), 2);
    EXPECT_EQ(a.Get(), &y);
}

TEST(RefHandle, SelfAssignmentKeepsTheOnlyReference)
{
    int destroyed = 0;
    Counted object(&destroyed);
    RefHandle<Counted> only(&object);
    RefHandle<Counted>& alias = only;
    only = alias;
    only = &object;
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(object.RefCount(), 1);
    EXPECT_EQ(only.Get(), &object);
}

TEST(RefHandle, WorksWhenRefCountedIsNotTheFirstBase)
{
    ASSERT_EQ(Node::alive, 0);
    {
        RefHandle<Node> handle(new Node);
        EXPECT_EQ(handle->layer, 3);
        RefHandle<Node> other = handle;
        EXPECT_EQ(handle->RefCount(), 2);
    }
    EXPECT_EQ(Node::alive, 0);
}

TEST(RefHandle, SwapExchangesWithoutCounting)
{
    int destroyed = 0;
    Counted x(&destroyed);
    RefHandle<Counted> a(&x);
    RefHandle<Counted> b;
    a.Swap(b);
    EXPECT_EQ(a.Get(), nullptr);
    EXPECT_EQ(b.Get(), &x);
    EXPECT_EQ(x.RefCount(), 1);
}

namespace {
class Registry : public Singleton<Registry> {
public:
    static Registry* GetInstance()
    {
        if (FindInstance() == nullptr)
            new Registry();
        return FindInstance();
    }
    static int constructed;
    Registry() { ++constructed; }
    ~Registry() = default;
};
int Registry::constructed = 0;
}  // namespace

TEST(Singleton, AccessorCreatesOnceAndDeletionClearsTheInstance)
{
    EXPECT_EQ(Registry::FindInstance(), nullptr);
    Registry* first = Registry::GetInstance();
    EXPECT_EQ(Registry::GetInstance(), first);
    EXPECT_EQ(Registry::constructed, 1);
    delete first;
    EXPECT_EQ(Registry::FindInstance(), nullptr);
    Registry* second = Registry::GetInstance();
    EXPECT_EQ(Registry::constructed, 2);
    delete second;
}
