// The train's assembly and the ball it carries.
#pragma once

// The ball: a wire sphere of radius 0.2 centred on the origin, in the current colour.
void balon();
