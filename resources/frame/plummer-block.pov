// Split plummer-block bearing housing with its bush: the picture behind the
// main window.  Rendered to frame-picture.jpg by make-frame-picture.sh.
//
// Units are millimetres.  The shaft axis runs along z, the housing stands on
// the plane y = 0 and is symmetric about x = 0.  The scene needs no include
// files, so it renders with a bare povray package.

#version 3.7;

global_settings {
  assumed_gamma 1.0
  max_trace_level 6
}

// ---------------------------------------------------------------- dimensions

#declare ShaftHeight   = 58;   // shaft centre above the foot's underside
#declare HousingRadius = 46;   // outer radius of the housing ring
#declare BoreRadius    = 30;   // housing bore = bush outside radius
#declare BushBore      = 22;   // bush inside radius
#declare HalfWidth     = 24;   // half the housing's length along the shaft

#declare FootHalfLength = 112;
#declare FootHalfWidth  = 30;
#declare FootHeight     = 16;
#declare FootBoltX      = 88;

#declare LugHalfLength = 76;   // the bolting lugs at the split line
#declare LugHeight     = 14;
#declare LugHalfWidth  = 21;
#declare CapBoltX      = 62;

#declare SplitGap = 0.7;       // the visible joint between cap and base
#declare Edge     = 2.0;       // radius of the rounded casting edges

// ------------------------------------------------------------------ finishes

#declare CastIron = texture {
  pigment { rgb <0.50, 0.52, 0.55> }
  normal { granite 0.03 scale 3 }
  finish {
    ambient 0.0 emission 0.02
    diffuse 0.75
    specular 0.45 roughness 0.012
    reflection { 0.10 metallic }
    metallic 0.5
  }
}

#declare MachinedSteel = texture {
  pigment { rgb <0.70, 0.71, 0.73> }
  finish {
    ambient 0.0 emission 0.03
    diffuse 0.6
    specular 0.7 roughness 0.006
    reflection { 0.18 metallic }
    metallic 0.7
  }
}

#declare DarkSteel = texture {
  pigment { rgb <0.36, 0.37, 0.39> }
  finish {
    ambient 0.0 emission 0.03
    diffuse 0.6
    specular 0.6 roughness 0.01
    reflection { 0.12 metallic }
    metallic 0.6
  }
}

#declare Bronze = texture {
  pigment { rgb <0.80, 0.52, 0.24> }
  finish {
    ambient 0.0 emission 0.03
    diffuse 0.6
    specular 0.9 roughness 0.005
    reflection { 0.25 metallic }
    metallic 0.8
  }
}

// ------------------------------------------------------------------- helpers

// A box from corner A to corner B with every edge rounded to radius R.
#macro RoundBox(A, B, R)
  #local Lo = <min(A.x, B.x), min(A.y, B.y), min(A.z, B.z)>;
  #local Hi = <max(A.x, B.x), max(A.y, B.y), max(A.z, B.z)>;
  merge {
    box { Lo + <R, R, 0>, Hi - <R, R, 0> }
    box { Lo + <R, 0, R>, Hi - <R, 0, R> }
    box { Lo + <0, R, R>, Hi - <0, R, R> }
    #for (I, 0, 1)
      #for (J, 0, 1)
        #local PX = (I = 0 ? Lo.x + R : Hi.x - R);
        #local PY = (J = 0 ? Lo.y + R : Hi.y - R);
        #local PZ = (J = 0 ? Lo.z + R : Hi.z - R);
        #local QZ = (I = 0 ? Lo.z + R : Hi.z - R);
        cylinder { <PX, PY, Lo.z + R>, <PX, PY, Hi.z - R>, R }
        cylinder { <PX, Lo.y + R, QZ>, <PX, Hi.y - R, QZ>, R }
        cylinder { <Lo.x + R, PY, QZ>, <Hi.x - R, PY, QZ>, R }
        sphere { <PX, PY, Lo.z + R>, R }
        sphere { <PX, PY, Hi.z - R>, R }
      #end
    #end
  }
#end

// A disc on the z axis from z = Z0 to z = Z1 with both rims rounded.
#macro RoundDiscZ(Radius, Z0, Z1, R)
  merge {
    cylinder { <0, 0, Z0>, <0, 0, Z1>, Radius - R }
    cylinder { <0, 0, Z0 + R>, <0, 0, Z1 - R>, Radius }
    torus { Radius - R, R rotate 90 * x translate (Z0 + R) * z }
    torus { Radius - R, R rotate 90 * x translate (Z1 - R) * z }
  }
#end

// A hexagon prism standing on y = 0, AF across the flats, with chamfered top.
#macro HexNut(AF, Height)
  #local Across = AF / cos(radians(30));
  intersection {
    #for (K, 0, 2)
      box { <-AF / 2, -1, -Across>, <AF / 2, Height + 1, Across> rotate 60 * K * y }
    #end
    cone { <0, 0, 0>, Across * 0.47 + Height, <0, Height, 0>, Across * 0.47 }
  }
#end

// --------------------------------------------------------------------- parts

// Lower half: the foot, the pedestal and the lower half of the ring, with the
// bolting lugs at the split line.  The bore is cut out later with the cap.
#declare BaseSolid = merge {
  RoundBox(<-FootHalfLength, 0, -FootHalfWidth>,
           <FootHalfLength, FootHeight, FootHalfWidth>, Edge * 1.5)
  // Pedestal, slightly narrower along the shaft than the foot.
  RoundBox(<-HousingRadius + 6, FootHeight - 4, -HalfWidth>,
           <HousingRadius - 6, ShaftHeight, HalfWidth>, Edge)
  intersection {
    RoundDiscZ(HousingRadius, -HalfWidth, HalfWidth, Edge)
    plane { y, 0 }
    translate ShaftHeight * y
  }
  RoundBox(<-LugHalfLength, ShaftHeight - LugHeight, -LugHalfWidth>,
           <LugHalfLength, ShaftHeight + Edge, LugHalfWidth>, Edge)
  // Brackets under the lugs, cast in one with the pedestal.
  #for (S, -1, 1, 2)
    intersection {
      box { <HousingRadius - 10, FootHeight - 2, -7>,
            <LugHalfLength - 4, ShaftHeight - LugHeight + 1, 7> }
      plane { <ShaftHeight - LugHeight - FootHeight, -(LugHalfLength - HousingRadius), 0>, 0
              translate <HousingRadius - 10, FootHeight - 2, 0> }
      scale <S, 1, 1>
    }
  #end
}

#declare Base = difference {
  object { BaseSolid }
  plane { -y, -ShaftHeight }   // keep y <= ShaftHeight
  cylinder { <0, ShaftHeight, -100>, <0, ShaftHeight, 100>, BoreRadius }
  // Foot bolt holes and cap stud holes.
  #for (S, -1, 1, 2)
    cylinder { <S * FootBoltX, -1, 0>, <S * FootBoltX, FootHeight + 1, 0>, 7.5 }
    cylinder { <S * CapBoltX, ShaftHeight - LugHeight - 1, 0>,
               <S * CapBoltX, ShaftHeight + 1, 0>, 6.5 }
  #end
  texture { CastIron }
}

// Upper half: the cap with its lugs and the boss for the lubricator.
#declare CapSolid = merge {
  RoundDiscZ(HousingRadius, -HalfWidth, HalfWidth, Edge)
  RoundBox(<-LugHalfLength, -Edge, -LugHalfWidth>,
           <LugHalfLength, LugHeight, LugHalfWidth>, Edge)
  // Raised pads under the nuts.
  #for (S, -1, 1, 2)
    cylinder { <S * CapBoltX, 0, 0>, <S * CapBoltX, LugHeight + 1.5, 0>, 12 }
  #end
  // Boss on the crown for the lubricator.
  RoundBox(<-11, 0, -11>, <11, HousingRadius + 5, 11>, 2.5)
}

#declare Cap = difference {
  object { CapSolid }
  plane { y, 0 }               // keep y >= 0 (the split line)
  cylinder { <0, 0, -100>, <0, 0, 100>, BoreRadius }
  #for (S, -1, 1, 2)
    cylinder { <S * CapBoltX, -1, 0>, <S * CapBoltX, LugHeight + 3, 0>, 6.5 }
  #end
  cylinder { <0, 0, 0>, <0, HousingRadius + 6, 0>, 3 }
  texture { CastIron }
  translate (ShaftHeight + SplitGap) * y
}

// Foot bolt: a hex head with a washer, sitting on the foot.
#declare FootBolt = union {
  cylinder { <0, 0, 0>, <0, 2.5, 0>, 12 texture { MachinedSteel } }
  object { HexNut(19, 11) translate 2.5 * y texture { DarkSteel } }
}

// Cap stud: the threaded stud through both lugs, a washer and a nut on top.
#declare CapBolt = union {
  cylinder { <0, -LugHeight - 4, 0>, <0, LugHeight + 1.5 + 2.5 + 13 + 5, 0>, 6
             texture { MachinedSteel } }
  // Thread as a row of shallow rings above the nut.
  #for (K, 0, 4)
    torus { 6, 0.6 translate (LugHeight + 1.5 + 2.5 + 13 + 0.8 + K * 1.1) * y
            texture { MachinedSteel } }
  #end
  cylinder { <0, LugHeight + 1.5, 0>, <0, LugHeight + 1.5 + 2.5, 0>, 11.5
             texture { MachinedSteel } }
  object { HexNut(19, 13) translate (LugHeight + 1.5 + 2.5) * y
           texture { DarkSteel } }
  translate (ShaftHeight + SplitGap) * y
}

// The bush: a bronze sleeve in the bore with a thin flange at the front face.
#declare Bush = difference {
  merge {
    cylinder { <0, 0, -HalfWidth - 3>, <0, 0, HalfWidth + 1>, BoreRadius - 0.05 }
    RoundDiscZ(BoreRadius + 5, -HalfWidth - 3, -HalfWidth - 0.1, 0.8)
  }
  cylinder { <0, 0, -100>, <0, 0, 100>, BushBore }
  // Oil groove along the top of the bore.
  cylinder { <0, BushBore, -HalfWidth + 4>, <0, BushBore, HalfWidth - 4>, 1.8 }
  texture { Bronze }
  translate ShaftHeight * y
}

// Lubricator: a grease nipple screwed into the boss on the crown.
#declare Lubricator = union {
  object { HexNut(11, 6) texture { MachinedSteel } }
  cylinder { <0, 6, 0>, <0, 10, 0>, 3.2 texture { MachinedSteel } }
  sphere { <0, 11.5, 0>, 3.6 texture { MachinedSteel } }
  translate (ShaftHeight + SplitGap + HousingRadius + 5) * y
}

#declare PlummerBlock = union {
  object { Base }
  object { Cap }
  object { Bush }
  object { Lubricator }
  #for (S, -1, 1, 2)
    object { FootBolt translate <S * FootBoltX, FootHeight, 0> }
    object { CapBolt translate <S * CapBoltX, 0, 0> }
  #end
}

// ---------------------------------------------------------------- the scene

object { PlummerBlock rotate -32 * y }

#declare CameraLocation = <-190, 290, -330>;
#declare CameraTarget   = <-4, 30, 0>;

camera {
  location CameraLocation
  look_at CameraTarget
  right x * image_width / image_height
  angle 35
}

// The background is the floor seen from above.  Its colour depends only on
// the angle below the horizon at which the camera sees a point, so it reads
// as a vertical gradient in the picture: pale at the bottom, a clearer light
// blue towards the top.  Being a real surface, it still catches the shadow.
#declare CameraX = CameraLocation.x;
#declare CameraY = CameraLocation.y;
#declare CameraZ = CameraLocation.z;
#declare FloorDepth = function(x, z) {
  atan2(CameraY, sqrt(pow(x - CameraX, 2) + pow(z - CameraZ, 2)))
}
#declare NearAngle = radians(50);   // about the bottom edge of the picture
#declare FarAngle  = radians(14);   // about the top edge

plane {
  y, 0
  pigment {
    function {
      min(1, max(0, (NearAngle - FloorDepth(x, z)) / (NearAngle - FarAngle)))
    }
    color_map {
      [0.00 rgb <0.84, 0.91, 0.98>]
      [0.50 rgb <0.66, 0.79, 0.94>]
      [1.00 rgb <0.45, 0.64, 0.89>]
    }
  }
  finish { ambient 0 emission 0.62 diffuse 0.42 }
}

// Only seen in reflections on the metal.
sky_sphere {
  pigment {
    gradient y
    color_map {
      [0.00 rgb <0.80, 0.88, 0.96>]
      [1.00 rgb <0.40, 0.60, 0.86>]
    }
  }
}

// Key light: a soft area light above, to the left and in front.
light_source {
  <-650, 650, -250>
  rgb 1.25
  area_light <160, 0, 0>, <0, 0, 160>, 5, 5
  adaptive 1
  circular
  orient
}

// Fill light from the right, without shadows, and a faint light from behind
// to lift the far edges off the background.
light_source { <600, 250, -300> rgb 0.35 shadowless }
light_source { <200, 400, 700> rgb 0.30 shadowless }
