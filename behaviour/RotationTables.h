// RotationTables: the arithmetic of a rotation action — its sweep, its frame count, its
// end correction and the angle change of each active frame in each mode — apart from
// the objects, so that every row can be checked by hand.
#pragma once

// Degrees to radians, and the factor that turns a sweep in degrees into frames at a speed
// in hundredths of a radian per frame (100 x pi / 180).
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kFramesPerDegreeAndSpeed = 1.7453292519943298;
constexpr double kPi = 3.141592653589793;

struct RotationChange {
  enum Kind { none, absolute, relative };
  Kind kind = none;
  double value = 0.0;          // the angle, or the part of it that does not depend on P
  double correctionSign = 0.0; // the change is value + correctionSign x P (0: P unused)
};

struct RotationInput {
  bool loop = false;     // m_bRotateLoop
  bool twoWay = false;   // m_bRotateTwoWay
  bool polygon = false;  // the object is a polygon or derives from one
  int start = -1;        // m_nStartAngle, -1: no start angle
  int end = 360;         // m_nEndAngle
  int speed = 10;        // m_nStep, hundredths of a radian per frame
  int frames = 0;        // m_nRotateFrames
};

class RotationTables {
 public:
  // The sweep a in degrees: the end angle without a start angle; otherwise the way from
  // start to end in the direction of the speed.
  static long long Sweep(int start, int end, int speed);
  // F = trunc(a x 1.7453... / |s| + 1). A speed of 0 would divide by zero: such an
  // action does nothing (0). Values beyond a 32-bit count are held at its maximum.
  static int FrameCount(long long sweep, int speed);
  // D = -(a x pi/180 - |s| x (F - 1) x 0.01): what brings an object that has made F - 1
  // regular steps exactly to the end of the sweep.
  static double Correction(long long sweep, int speed, int frames);
  // Whether frame k of the activation does anything at all (angle change or recording):
  // nothing without frames, and one pass stops after its last frame.
  static bool IsActive(const RotationInput& in, long long k);
  // The angle change of frame k >= 0 of an active frame. The caller adds
  // correctionSign x P, P being the correction D for a positive speed and -D otherwise.
  static RotationChange Change(const RotationInput& in, long long k);
  // abs(x) of the tables: pi - x degrees, as an absolute angle.
  static double StartAngle(int degrees) { return kPi - degrees * kRadiansPerDegree; }
};
