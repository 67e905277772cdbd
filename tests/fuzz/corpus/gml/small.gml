graph [
 directed 1
 node [ id 0 label "A &amp; B" x 1.5 y 2 ]
 node [ id 1 label "&#1078;" ]
 edge [ source 0 target 1 weight 3 ]
]
